# The Windows resources every program and the docking library carry beside
# their own: a version resource from the project's version (with the
# copyright line of LICENSE), and for programs an application manifest.
#   vormapper_windows_resources(<target> "<file description>" [WINDOWED] [OWN_VERSION])
# WINDOWED: a window program (common controls 6, the visual styles, and
# awareness of the screen's resolution);
# OWN_VERSION: the target's resource script has its version resource.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE VERSION_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)

# VorMapper.exe keeps its own resource script; its file version must be the
# project's.
file(STRINGS ${CMAKE_SOURCE_DIR}/mapper/res/VorMapper.rc mapper_version REGEX "^ FILEVERSION ")
string(REGEX MATCH "([0-9]+), ([0-9]+), ([0-9]+)" mapper_version "${mapper_version}")
if(NOT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}" STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "mapper/res/VorMapper.rc has file version ${mapper_version}, the project ${PROJECT_VERSION}")
endif()

function(vormapper_windows_resources target description)
  cmake_parse_arguments(R "WINDOWED;OWN_VERSION" "" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(VERSION_NAME ${name})
  set(VERSION_DESCRIPTION "${description}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  set(script "")
  if(NOT R_OWN_VERSION)
    if(type STREQUAL SHARED_LIBRARY)
      set(VERSION_FILE_TYPE VFT_DLL)
      set(VERSION_FILE ${name}.dll)
    else()
      set(VERSION_FILE_TYPE VFT_APP)
      set(VERSION_FILE ${name}.exe)
    endif()
    configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
    string(APPEND script "#include \"${target}_version.rc\"\n")
  endif()
  if(type STREQUAL EXECUTABLE)
    set(VERSION_MANIFEST_WINDOWED "")
    if(R_WINDOWED)
      file(READ ${CMAKE_SOURCE_DIR}/cmake/app_manifest_windowed.xml VERSION_MANIFEST_WINDOWED)
    endif()
    configure_file(${CMAKE_SOURCE_DIR}/cmake/app.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest @ONLY)
    # 1 is the manifest of the process, 24 the manifest resource type.
    string(APPEND script "1 24 \"${target}.manifest\"\n")
    set_property(SOURCE ${rc} PROPERTY OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  endif()
  file(WRITE ${rc}.new "${script}")
  configure_file(${rc}.new ${rc} COPYONLY)
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
