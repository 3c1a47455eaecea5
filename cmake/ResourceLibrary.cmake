# Resource-only Windows libraries (no code, no entry point) made from a resource
# script with the mingw-w64 resource compiler. Both trees make them: Windows
# loads them, and the native simulated PC reads the very same files. They are
# 32-bit as they ship, except in the 64-bit Windows tree, whose programs could
# not load them so.
if(NOT VR_MINGW_PREFIX)
  set(VR_MINGW_PREFIX i686-w64-mingw32)
endif()
find_program(VR_WINDRES NAMES ${VR_MINGW_PREFIX}-windres REQUIRED)
find_program(VR_MINGW_GCC NAMES ${VR_MINGW_PREFIX}-gcc-posix ${VR_MINGW_PREFIX}-gcc REQUIRED)

# vr_resource_library(<target> <output file> <resource script> [DEPENDS files...])
function(vr_resource_library target output script)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  get_filename_component(script_abs ${script} ABSOLUTE)
  get_filename_component(script_dir ${script_abs} DIRECTORY)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}.res.o)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${VR_WINDRES} -O coff -I ${script_dir} -I ${PROJECT_SOURCE_DIR}/resources
            -i ${script_abs} -o ${object}
    COMMAND ${VR_MINGW_GCC} -shared -nostdlib -s -Wl,--entry=0 -Wl,--no-insert-timestamp
            -o ${output} ${object}
    DEPENDS ${script_abs} ${ARG_DEPENDS}
    COMMENT "Resource library ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
