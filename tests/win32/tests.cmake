# Windows-only tests, run under Wine when cross-compiling, beside kx_shell.exe.
# A copy of either program named otherwise stands in for kravix.exe
# (win32/test_files.h).
add_executable(platform_tests win32/platform_test.cpp)
add_executable(e2e_tests e2e/journeys_test.cpp)
target_link_libraries(platform_tests PRIVATE kx_win32 GTest::gtest_main)
target_link_libraries(e2e_tests PRIVATE kx_core GTest::gtest_main shell32)
add_dependencies(e2e_tests kx_shell)
foreach(target platform_tests e2e_tests)
    target_include_directories(${target} PRIVATE win32)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    add_test(NAME ${target} COMMAND ${target})
    if(MINGW)
        # STARTUPINFOW info{sizeof info}: the rest zero, as Windows code writes it.
        target_compile_options(${target} PRIVATE -Wno-missing-field-initializers)
    endif()
endforeach()
target_link_libraries(platform_tests PRIVATE shell32)
