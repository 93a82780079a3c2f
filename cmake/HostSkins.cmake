# The Windows build needs the project's skin packages, which tools running on the build
# machine draw and pack. Those tools are built for the build machine in a tree of their own
# (ORV_HOST_TOOLS_DIR); the target host_skins leaves the packages in ORV_SKINS_DIR.
include(ExternalProject)
set(ORV_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(ORV_SKINS_DIR ${ORV_HOST_TOOLS_DIR}/skins)
set(ORV_SKIN_PACKAGES
    ${ORV_SKINS_DIR}/default.zsk ${ORV_SKINS_DIR}/dark.zsk ${ORV_SKINS_DIR}/light.zsk
    ${ORV_SKINS_DIR}/light-encrypted.zsk)
ExternalProject_Add(host_skins
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${ORV_HOST_TOOLS_DIR}
  CMAKE_ARGS -DORV_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
  BUILD_COMMAND ${CMAKE_COMMAND} --build . --target skin_packages
  INSTALL_COMMAND ""
  # Rebuilding when nothing changed takes a moment; it keeps the skins in step with skinart.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${ORV_SKIN_PACKAGES}
  USES_TERMINAL_BUILD ON)
