# kx_compile_options(target): how every target of the project is compiled.
# Warnings are errors only with KX_WERROR, which the presets the tests and CI
# use turn on: a release built with a newer compiler never fails on a warning
# its authors could not see, and GoogleTest is never built with them.
# WHOLE_SECTIONS leaves out the section splitting that kx_shell.exe's size
# rests on: the benchmark's floor programs are built as they always were (split,
# an empty window's program grows from 20 KB to 150 KB, and every start-up ratio
# against it changes).
function(kx_compile_options target)
    cmake_parse_arguments(arg "WHOLE_SECTIONS" "" "" ${ARGN})
    if(MSVC)
        target_compile_options(${target} PRIVATE /utf-8 /W4 /permissive- $<$<BOOL:${KX_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow $<$<BOOL:${KX_WERROR}>:-Werror>)
    endif()
    if(MINGW AND NOT arg_WHOLE_SECTIONS)
        # With --gc-sections at the link, what kx_shell.exe never calls is left out.
        target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    endif()
endfunction()
