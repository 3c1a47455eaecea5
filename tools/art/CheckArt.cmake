# Runs a picture generator into a scratch folder and fails unless it makes
# exactly the checked-in files, byte for byte, so the pictures the Windows
# build compiles in always come from the generator.
# Usage: cmake -DART_GEN=<program> -DSCRATCH=<folder> -DCHECKED_IN=<folder> -P CheckArt.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${ART_GEN} ${SCRATCH} RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "${ART_GEN} failed: ${generated}")
endif()
file(GLOB made RELATIVE ${SCRATCH} ${SCRATCH}/*)
file(GLOB kept RELATIVE ${CHECKED_IN} ${CHECKED_IN}/*)
list(SORT made)
list(SORT kept)
if(NOT made STREQUAL kept)
  message(FATAL_ERROR "${CHECKED_IN} holds ${kept}; the generator makes ${made}; run it into ${CHECKED_IN}")
endif()
foreach(picture ${made})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${picture} ${CHECKED_IN}/${picture}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${CHECKED_IN}/${picture} differs from what the generator makes; run it into ${CHECKED_IN}")
  endif()
endforeach()
