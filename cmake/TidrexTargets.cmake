# tidrex_folder_includes(out): an include folder that holds only a link to the calling
# layout folder, so "registry/x.h" is found only by targets that link the library of
# registry/ (and the layer order of the README holds in the build as well as in the check).
function(tidrex_folder_includes out)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(dir ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${dir}/${folder})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${folder} SYMBOLIC)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

# tidrex_library(name PURE sources... WINDOWS sources... LINK libs...)
# PURE sources never include windows.h and also build natively; WINDOWS sources
# are added only to the Windows build.
function(tidrex_library name)
  cmake_parse_arguments(ARG "" "" "PURE;WINDOWS;LINK;WINDOWS_LINK" ${ARGN})
  set(sources ${ARG_PURE})
  if(WIN32)
    list(APPEND sources ${ARG_WINDOWS})
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(tidrex_${name} STATIC ${sources})
  tidrex_folder_includes(includes)
  target_include_directories(tidrex_${name} PUBLIC ${includes})
  target_link_libraries(tidrex_${name} PUBLIC ${ARG_LINK})
  if(WIN32)
    target_link_libraries(tidrex_${name} PUBLIC ${ARG_WINDOWS_LINK})
  endif()
endfunction()

# tidrex_test(name SOURCES files... LINK libs... [RESOURCE_LOCK lock] [RUN_SERIAL]): a GoogleTest
# program run by ctest (under Wine for the Windows build). Each test case becomes one ctest test;
# tests that share a RESOURCE_LOCK never run at the same time, and a RUN_SERIAL test runs alone.
function(tidrex_test name)
  cmake_parse_arguments(ARG "RUN_SERIAL" "RESOURCE_LOCK" "SOURCES;LINK" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(WIN32)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/resources/test_manifest.rc)
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gmock GTest::gtest_main)
  set(properties TIMEOUT 120)
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  if(ARG_RUN_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${properties})
endfunction()
