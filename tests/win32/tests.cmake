# Windows-only tests, run under Wine when cross-compiling. The test programs,
# kx_shell.exe and the stand-in kravix.exe (in stand_in/) share one folder so
# each test finds the others beside itself.

add_executable(kravix_stand_in WIN32 stand_in/kravix.cpp)
set_target_properties(kravix_stand_in PROPERTIES OUTPUT_NAME kravix
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stand_in)
if(MINGW)
    target_link_options(kravix_stand_in PRIVATE -municode)
endif()
target_link_libraries(kravix_stand_in PRIVATE shell32)

# An old-style kravix.exe that reads its command line in the ANSI code page.
add_executable(ansi_kravix_stand_in WIN32 stand_in/ansi_kravix.cpp)
set_target_properties(ansi_kravix_stand_in PROPERTIES OUTPUT_NAME kravix
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/ansi_stand_in)

# The platform operations on their own: files on disk, process start.
add_executable(platform_tests
    win32/test_folder.cpp
    win32/files_test.cpp
    win32/process_test.cpp
    win32/file_dialog_test.cpp
    win32/system_values_test.cpp)
target_include_directories(platform_tests PRIVATE .)
target_link_libraries(platform_tests PRIVATE kx_win32 GTest::gtest_main)
set_target_properties(platform_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(platform_tests kravix_stand_in)
add_test(NAME platform_tests COMMAND platform_tests)

# kx_shell.exe driven through the window system as a user would.
add_executable(e2e_tests
    win32/test_folder.cpp
    e2e/driver.cpp
    e2e/flow_test.cpp
    e2e/hostile_config_test.cpp
    e2e/ansi_program_test.cpp
    e2e/long_path_test.cpp
    e2e/appearance_test.cpp
    e2e/appearance_resources_test.cpp)
target_include_directories(e2e_tests PRIVATE . ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(e2e_tests PRIVATE UNICODE _UNICODE NOMINMAX)
target_link_libraries(e2e_tests PRIVATE GTest::gtest_main version comctl32 shell32)
set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(e2e_tests kx_shell kravix_stand_in ansi_kravix_stand_in)
add_test(NAME e2e_tests COMMAND e2e_tests)
set_tests_properties(e2e_tests PROPERTIES TIMEOUT 600)

# Loaded into kx_shell.exe by the appearance tests: fonts and icons can only
# be read inside the process that owns them (see e2e/appearance_probe.h).
add_library(appearance_probe MODULE e2e/appearance_probe.cpp)
target_include_directories(appearance_probe PRIVATE .)
target_compile_definitions(appearance_probe PRIVATE UNICODE _UNICODE)
target_link_libraries(appearance_probe PRIVATE user32 gdi32)
set_target_properties(appearance_probe PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(e2e_tests appearance_probe)
if(MINGW)
    # The hook is looked up by its plain name, without 32-bit stdcall's "@12".
    target_link_options(appearance_probe PRIVATE -Wl,--kill-at)
endif()
