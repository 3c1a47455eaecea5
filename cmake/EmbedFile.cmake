# vr_embed_file(<output .cpp> <input file> <symbol>): a C++ source holding the
# bytes of a file as `extern const unsigned char symbol[]` and `symbol_size`.
set(VR_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFileScript.cmake)

function(vr_embed_file output input symbol)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${VR_EMBED_SCRIPT}
    DEPENDS ${input} ${VR_EMBED_SCRIPT}
    VERBATIM)
endfunction()
