# Tests of the Windows trees. Those that run Windows programs under Wine carry
# the label "wine" and name the Wine of their tree's width in WINEARCH (the
# runner tools/wine-test.sh picks the loader by it); those that only read the
# built files carry the label "static". On a machine that cannot run 32-bit
# Wine, the test command runs the static tests of the 32-bit tree and the
# Wine tests of the 64-bit tree.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VR_WINEARCH win64)
else()
  set(VR_WINEARCH win32)
endif()

# vr_wine_test(<name> [ENVIRONMENT vars...] [TIMEOUT s] [RESOURCE_LOCK lock] COMMAND ...)
function(vr_wine_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT;RESOURCE_LOCK;WORKING_DIRECTORY" "ENVIRONMENT;COMMAND" ${ARGN})
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${name} COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
  set_tests_properties(${name} PROPERTIES LABELS wine
    ENVIRONMENT "WINEARCH=${VR_WINEARCH};${ARG_ENVIRONMENT}")
  if(ARG_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
  if(ARG_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
endfunction()

# vr_static_test(<name> COMMAND ...): a check of the shipped 32-bit files.
function(vr_static_test name)
  cmake_parse_arguments(ARG "" "" "COMMAND" ${ARGN})
  add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS static)
endfunction()
