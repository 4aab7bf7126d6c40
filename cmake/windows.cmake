# kx_shell.exe and its Windows-only parts. Included from the top level when
# building for Windows, with MinGW-w64 or MSVC.
include(${CMAKE_CURRENT_LIST_DIR}/resources.cmake)

if(MINGW)
    # Every program is one self-contained file: the C++ runtime is linked in,
    # so no MinGW DLL has to lie beside it.
    add_link_options(-static)
endif()

add_library(kx_win32 STATIC
    src/win32/ansi_code_page.cpp
    src/win32/dpi.cpp
    src/win32/file_dialog.cpp
    src/win32/files.cpp
    src/win32/long_path.cpp
    src/win32/message_box.cpp
    src/win32/programs.cpp
    src/win32/system_library.cpp
    src/win32/system_failure.cpp
    src/win32/win32_platform.cpp
    src/win32/win32_screen.cpp
    src/win32/window_builder.cpp)
target_include_directories(kx_win32 PUBLIC src/win32 PRIVATE resources)
target_compile_definitions(kx_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(kx_win32 PUBLIC kx_core comctl32)

add_executable(kx_shell WIN32 src/main/main.cpp src/main/terminate_handler.cpp)
target_link_libraries(kx_shell PRIVATE kx_win32)
kx_add_resources(kx_shell)
kx_check_imports(kx_shell)

if(MINGW)
    target_link_options(kx_shell PRIVATE -municode)
    target_compile_options(kx_core PRIVATE -ffunction-sections -fdata-sections)
    target_compile_options(kx_win32 PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(kx_shell PRIVATE -Wl,--gc-sections -s)
endif()
include(${PROJECT_SOURCE_DIR}/bench/bench.cmake)
