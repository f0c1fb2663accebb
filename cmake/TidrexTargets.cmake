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
  target_include_directories(tidrex_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tidrex_${name} PUBLIC ${ARG_LINK})
  if(WIN32)
    target_link_libraries(tidrex_${name} PUBLIC ${ARG_WINDOWS_LINK})
  endif()
endfunction()

# tidrex_test(name SOURCES files... LINK libs...): a GoogleTest program run by ctest
# (under Wine for the Windows build). Each test case becomes one ctest test.
function(tidrex_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(WIN32)
    list(APPEND sources ${PROJECT_SOURCE_DIR}/resources/test_manifest.rc)
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120)
endfunction()
