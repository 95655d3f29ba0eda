# GoogleTest for both builds, and one helper that registers a test executable.
# Natively every case is its own ctest test; under Wine one test per executable,
# because every Wine start costs a third of a second.
enable_testing()

if(NOT TARGET GTest::gtest_main)
  if(VORMAPPER_WINDOWS)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
include(GoogleTest)

if(VORMAPPER_WINDOWS AND CMAKE_CROSSCOMPILING)
  # Tests share one Xvfb display and one wineserver, started and stopped by
  # fixtures, in a Wine prefix of the build's kind (the scripts read it from
  # the directory's `arch` file).
  set(VORMAPPER_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  file(WRITE ${VORMAPPER_WINE_DIR}/arch "${VORMAPPER_WIN_ARCH}\n")
  add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/wine-env.sh start ${VORMAPPER_WINE_DIR})
  add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/wine-env.sh stop ${VORMAPPER_WINE_DIR})
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()
if(VORMAPPER_WINDOWS)
  # nlohmann-json is header-only; make just its headers visible to the cross compiler.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/hostinc)
  file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/hostinc/nlohmann SYMBOLIC)
  add_library(nlohmann_json INTERFACE)
  target_include_directories(nlohmann_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/hostinc)
  add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
else()
  find_package(nlohmann_json REQUIRED)
endif()

# vormapper_test(<name> SOURCES ... LIBS ... [DISPLAY] [TIMEOUT s] [DPI dpi...])
# DISPLAY marks a Windows test that uses the X display: such tests never overlap.
# DPI runs a Windows test once more for each screen resolution given (pixels
# per inch, 96 being 100%), as <name>.dpi<dpi>, alone.
function(vormapper_test name)
  cmake_parse_arguments(T "DISPLAY" "TIMEOUT" "SOURCES;LIBS;DPI" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(VORMAPPER_WINDOWS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "VORMAPPER_WINE_DIR=${VORMAPPER_WINE_DIR}")
    if(T_DISPLAY)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
    foreach(dpi IN LISTS T_DPI)
      vormapper_dpi_test(${name}.dpi${dpi} ${dpi} COMMAND ${name})
      set_tests_properties(${name}.dpi${dpi} PROPERTIES TIMEOUT ${T_TIMEOUT})
    endforeach()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()

# A non-gtest command under Wine (a tool, a script driving a Windows program).
# A host program given as an imported target (the Python interpreter) runs
# directly: through the cross-compiling emulator Wine would start it and
# lose its exit code, so that every such test passed.
function(vormapper_wine_command_test name)
  set(args ${ARGN})
  list(REMOVE_ITEM args COMMAND)
  list(GET args 0 program)
  if(TARGET ${program})
    get_target_property(imported ${program} IMPORTED)
    if(imported)
      get_target_property(location ${program} IMPORTED_LOCATION)
      list(REMOVE_AT args 0)
      list(INSERT args 0 ${location})
    endif()
  endif()
  add_test(NAME ${name} COMMAND ${args})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
    ENVIRONMENT "VORMAPPER_WINE_DIR=${VORMAPPER_WINE_DIR}")
endfunction()

# A Windows test run at a screen resolution of `dpi` pixels per inch. The
# resolution is the Wine prefix's, so the test runs alone.
function(vormapper_dpi_test name dpi)
  vormapper_wine_command_test(${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE
    ENVIRONMENT "VORMAPPER_WINE_DIR=${VORMAPPER_WINE_DIR};VORMAPPER_WINE_DPI=${dpi}")
endfunction()
