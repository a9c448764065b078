# One static library per folder: every .cpp below the folder belongs to it, so
# adding a file needs no edit here. A main.cpp is an executable's, not the library's.
function(lumenleaf_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# One test executable per tested folder, every .cpp of tests/<folder>. With ON_DISPLAY each
# test opens its windows on a virtual X display of its own (xvfb-run), one test at a time.
function(lumenleaf_tests name)
  cmake_parse_arguments(ARG "ON_DISPLAY" "" "LIBRARIES;LABELS;ENVIRONMENT" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  set(properties LABELS "${ARG_LABELS}")
  if(ARG_ON_DISPLAY)
    find_program(XVFB_RUN xvfb-run REQUIRED)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
                          "${XVFB_RUN};-a;-s;-screen 0 1280x1024x24")
    list(APPEND ARG_ENVIRONMENT "GTK_A11Y=none")
    target_sources(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support/WindowTestLeakScan.cpp")
    list(APPEND properties RESOURCE_LOCK display)
  endif()
  if(ARG_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${properties})
endfunction()
