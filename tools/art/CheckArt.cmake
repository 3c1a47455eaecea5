# Runs the picture generator into a scratch folder and fails unless every
# picture it makes equals the checked-in one, so the pictures the Windows
# build compiles in always come from the generator.
# Usage: cmake -DART_GEN=<program> -DSCRATCH=<folder> -DCHECKED_IN=<folder> -P CheckArt.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${ART_GEN} ${SCRATCH} RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "art-gen failed: ${generated}")
endif()
foreach(picture caddis.ico about.ico search.avi)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${picture} ${CHECKED_IN}/${picture}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${CHECKED_IN}/${picture} differs from what art-gen makes; run art-gen ${CHECKED_IN}")
  endif()
endforeach()
