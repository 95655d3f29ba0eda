# Version resources of the Windows programs and the docking library, all from
# the project's version, with the copyright line of LICENSE.
#   vormapper_version_resource(<target> "<file description>")
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE VERSION_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)

# VorMapper.exe keeps its own resource script; its file version must be the
# project's.
file(STRINGS ${CMAKE_SOURCE_DIR}/mapper/res/VorMapper.rc mapper_version REGEX "^ FILEVERSION ")
string(REGEX MATCH "([0-9]+), ([0-9]+), ([0-9]+)" mapper_version "${mapper_version}")
if(NOT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}" STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "mapper/res/VorMapper.rc has file version ${mapper_version}, the project ${PROJECT_VERSION}")
endif()

function(vormapper_version_resource target description)
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(type STREQUAL SHARED_LIBRARY)
    set(VERSION_FILE_TYPE VFT_DLL)
    set(VERSION_FILE ${name}.dll)
  else()
    set(VERSION_FILE_TYPE VFT_APP)
    set(VERSION_FILE ${name}.exe)
  endif()
  set(VERSION_NAME ${name})
  set(VERSION_DESCRIPTION "${description}")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()
