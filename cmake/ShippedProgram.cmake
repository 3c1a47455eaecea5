# Programs as they ship carry no debugging information. Once linked, the
# program's debugging information goes into a file of its own in the build's
# debug folder (build/<tree>/debug, which never ships), the program is
# stripped, and a debug link in it names that file, so that a debugger given
# the folder still finds the symbols.

# vr_shipped_program(<target>)
function(vr_shipped_program target)
  set(debug_dir ${CMAKE_BINARY_DIR}/debug)
  set(debug_file ${debug_dir}/$<TARGET_FILE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${debug_dir}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug_file}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug_file} $<TARGET_FILE:${target}>
    COMMENT "Stripping ${target}; its debugging information goes to ${debug_dir}"
    VERBATIM)
endfunction()
