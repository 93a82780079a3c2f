# orv_form_resources(TARGET FILE... [RC_EXTRA LINE...] [DEPENDS FILE...])
#
# Compiles resources into a Windows target through one generated resource script,
# TARGET_resources.rc in the current binary folder. Each FILE is a stored form description
# Name.form, embedded as the RCDATA resource NAME (the base name in upper case), which
# tk::ReadComponentResource reads. RC_EXTRA lines are copied into the script after the forms,
# for the target's other resources:
#
#   orv_form_resources(Orvandel forms/TMainForm.form
#     RC_EXTRA [[MAINICON ICON "icons/main.ico"]] [[#include "version.rc"]]
#     DEPENDS icons/main.ico version.rc)
#
# Files named in those lines are looked up in the calling folder; list them under DEPENDS so
# that editing them rebuilds the resources, as editing a form does.
function(orv_form_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 R "" "" "RC_EXTRA;DEPENDS")
  if(NOT ORV_WINDOWS)
    message(FATAL_ERROR "orv_form_resources: resources exist only in Windows builds")
  endif()
  get_target_property(done ${target} ORV_HAS_RESOURCES)
  if(done)
    message(FATAL_ERROR "orv_form_resources: ${target} has its resources already")
  endif()
  set_target_properties(${target} PROPERTIES ORV_HAS_RESOURCES ON)

  set(lines "// Made by orv_form_resources for ${target}, overwritten when it runs again.")
  set(names "")
  set(inputs "")
  foreach(file IN LISTS R_UNPARSED_ARGUMENTS)
    get_filename_component(path "${file}" ABSOLUTE)
    get_filename_component(base "${path}" NAME_WLE)
    get_filename_component(extension "${path}" LAST_EXT)
    string(TOUPPER "${base}" name)
    if(NOT extension STREQUAL ".form")
      message(FATAL_ERROR "orv_form_resources: ${file} is not a .form file")
    elseif(NOT name MATCHES "^[A-Z_][A-Z0-9_]*$")
      message(FATAL_ERROR "orv_form_resources: ${file}: the base name must be an identifier")
    elseif(name IN_LIST names)
      message(FATAL_ERROR "orv_form_resources: two forms make the resource ${name}")
    elseif(path MATCHES "\"")
      message(FATAL_ERROR "orv_form_resources: ${file}: quotes in the path")
    elseif(NOT EXISTS "${path}")
      message(FATAL_ERROR "orv_form_resources: ${file} does not exist")
    endif()
    list(APPEND names ${name})
    list(APPEND inputs "${path}")
    list(APPEND lines "${name} RCDATA \"${path}\"")
  endforeach()
  list(APPEND lines ${R_RC_EXTRA})
  foreach(file IN LISTS R_DEPENDS)
    get_filename_component(path "${file}" ABSOLUTE)
    list(APPEND inputs "${path}")
  endforeach()

  # Written only when the text changes, so that reconfiguring does not rebuild.
  string(JOIN "\n" text ${lines})
  string(APPEND text "\n")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc")
  set(old "")
  if(EXISTS "${rc}")
    file(READ "${rc}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${rc}" "${text}")
  endif()
  set_source_files_properties("${rc}" PROPERTIES
    OBJECT_DEPENDS "${inputs}"
    INCLUDE_DIRECTORIES "${CMAKE_CURRENT_SOURCE_DIR}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
