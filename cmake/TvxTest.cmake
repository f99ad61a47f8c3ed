# tvx_test(NAME [XVFB] [OFFSCREEN] [SERIAL] [TOOL] SOURCES files... LINK libs... [DEFINITIONS defs...]
#          [DEPENDS targets...] [TIMEOUT seconds] [DISCOVERY_TIMEOUT seconds])
#
# The one way a test folder declares a test program: its sources, what it links (GoogleTest's
# main is added), and how CTest runs it. By default every test case is its own CTest test.
# XVFB runs the whole program as one test under a virtual X server, for tests that open
# windows; OFFSCREEN runs it once more as NAME_offscreen on SDL's offscreen (EGL) driver;
# SERIAL keeps such a test from sharing the machine with others. TOOL builds a program
# that is not a test (no GoogleTest, nothing run), such as one that writes test inputs.
function(tvx_test name)
  cmake_parse_arguments(test "XVFB;OFFSCREEN;SERIAL;TOOL" "TIMEOUT;DISCOVERY_TIMEOUT"
                        "SOURCES;LINK;DEFINITIONS;DEPENDS" ${ARGN})
  add_executable(${name} ${test_SOURCES})
  target_link_libraries(${name} PRIVATE ${test_LINK})
  if(test_DEFINITIONS)
    target_compile_definitions(${name} PRIVATE ${test_DEFINITIONS})
  endif()
  if(test_DEPENDS)
    add_dependencies(${name} ${test_DEPENDS})
  endif()
  if(test_TOOL)
    return()
  endif()
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  if(test_XVFB)
    add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1024x768x24" $<TARGET_FILE:${name}>)
    if(test_TIMEOUT)
      set_tests_properties(${name} PROPERTIES TIMEOUT ${test_TIMEOUT})
    endif()
    if(test_SERIAL)
      set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
    if(test_OFFSCREEN)
      add_test(NAME ${name}_offscreen COMMAND $<TARGET_FILE:${name}>)
      set_tests_properties(${name}_offscreen PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen")
    endif()
    return()
  endif()
  set(discover_options)
  if(test_TIMEOUT)
    list(APPEND discover_options PROPERTIES TIMEOUT ${test_TIMEOUT})
  endif()
  if(test_DISCOVERY_TIMEOUT)
    list(APPEND discover_options DISCOVERY_TIMEOUT ${test_DISCOVERY_TIMEOUT})
  endif()
  gtest_discover_tests(${name} ${discover_options})
endfunction()
