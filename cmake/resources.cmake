# Resources and the import check for kx_shell.exe. Included from the top-level
# CMakeLists inside if(WIN32).

# Windows platform modules enable RC already; saying so keeps this file whole.
enable_language(RC)

# The version as the resources write it, from project(VERSION): "1.0.0.0",
# "1,0,0,0" and "1.00" (the minor version in two digits).
set(kx_generated "${CMAKE_BINARY_DIR}/generated")
set(KX_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(KX_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
string(LENGTH "${PROJECT_VERSION_MINOR}" minor_digits)
if(minor_digits EQUAL 1)
    set(KX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
    set(KX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
configure_file("${CMAKE_CURRENT_LIST_DIR}/../resources/kx_shell.manifest.in" "${kx_generated}/kx_shell.manifest" @ONLY)
configure_file("${CMAKE_CURRENT_LIST_DIR}/../resources/version.h.in" "${kx_generated}/version.h" @ONLY)

# Adds resources/kx_shell.rc (icon, version record, manifest) to target.
# The .rc holds the program's only manifest (RT_MANIFEST 1) for both
# toolchains: MinGW's linker adds none, while MSVC's would add a second one and
# the link would fail, so MSVC links with /MANIFEST:NO.
function(kx_add_resources target)
    set(dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources")
    cmake_path(NORMAL_PATH dir)
    set(rc "${dir}/kx_shell.rc")
    target_sources(${target} PRIVATE "${rc}")
    # The include path is where the resource compiler finds the icon, the
    # manifest and the version; the .rc is rebuilt when one changes.
    set_source_files_properties("${rc}" TARGET_DIRECTORY ${target} PROPERTIES
        INCLUDE_DIRECTORIES "${dir};${kx_generated}"
        OBJECT_DEPENDS "${dir}/kx_shell.ico;${kx_generated}/kx_shell.manifest;${kx_generated}/version.h;${dir}/resource.h")
    if(MINGW)
        # windres reads the .rc in the host's code page unless told otherwise
        # (the same as -c 65001).
        set_source_files_properties("${rc}" TARGET_DIRECTORY ${target} PROPERTIES
            COMPILE_OPTIONS --codepage=65001)
    endif()
    if(MSVC)
        target_link_options(${target} PRIVATE /MANIFEST:NO)
    endif()
endfunction()

# Fails the build when target imports a DLL that Windows itself does not
# provide, since such a DLL would have to ship beside the exe, or lacks the
# Terminal Server mark. MinGW only: objdump reads the PE headers.
function(kx_check_imports target)
    if(NOT MINGW)
        return()
    endif()
    if(NOT CMAKE_OBJDUMP)
        message(FATAL_ERROR "kx_check_imports: no objdump found (CMAKE_OBJDUMP)")
    endif()
    # Compared case-insensitively; check_imports.cmake also accepts the
    # api-ms-win-* API sets. msvcrt.dll is the system C runtime MinGW builds on.
    set(allowed KERNEL32.dll USER32.dll GDI32.dll COMDLG32.dll COMCTL32.dll SHELL32.dll ADVAPI32.dll msvcrt.dll)
    # A list can't cross the command line as is: join it with commas.
    string(REPLACE ";" "," allowed "${allowed}")
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND "${CMAKE_COMMAND}" "-DOBJDUMP=${CMAKE_OBJDUMP}" "-DEXE=$<TARGET_FILE:${target}>"
                "-DALLOWED=${allowed}" -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check_imports.cmake"
        COMMENT "Checking the DLLs $<TARGET_FILE_NAME:${target}> imports"
        VERBATIM)
endfunction()
