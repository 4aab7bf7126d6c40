# Windows-only tests, run under Wine when cross-compiling. The test programs,
# kx_shell.exe and the stand-in kravix.exe (in stand_in/) share one folder
# tree, so each test finds the others beside itself.
add_executable(kravix_stand_in WIN32 win32/kravix_stand_in.cpp)
set_target_properties(kravix_stand_in PROPERTIES OUTPUT_NAME kravix RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stand_in)
target_link_libraries(kravix_stand_in PRIVATE shell32)

add_executable(platform_tests win32/platform_test.cpp)
add_executable(e2e_tests e2e/journeys_test.cpp)
target_link_libraries(platform_tests PRIVATE kx_win32 GTest::gtest_main)
target_link_libraries(e2e_tests PRIVATE kx_core GTest::gtest_main)
add_dependencies(e2e_tests kx_shell kravix_stand_in)
add_dependencies(platform_tests kravix_stand_in)
foreach(target platform_tests e2e_tests)
    target_include_directories(${target} PRIVATE .)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    add_test(NAME ${target} COMMAND ${target})
endforeach()
if(MINGW)
    target_link_options(kravix_stand_in PRIVATE -municode)
    # STARTUPINFOW info{sizeof info}: the rest zero, as Windows code writes it.
    target_compile_options(platform_tests PRIVATE -Wno-missing-field-initializers)
    target_compile_options(e2e_tests PRIVATE -Wno-missing-field-initializers)
endif()
