# Windows-only sources of skinutils (canvas, window and text functions), added with
# target_sources(skinutils PRIVATE ...). Included by CMakeLists.txt on Windows builds.
target_sources(skinutils PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/WinControlFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinDrawingSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinFormUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinHalftone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinRegion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinSectioned.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinShapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinThreePart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinWindowUtils.cpp
)
target_link_libraries(skinutils PUBLIC tkwin)
