# cmake -DOBJDUMP=<objdump> -DEXE=<exe> -DALLOWED=<a.dll,b.dll,...> -P check_imports.cmake
# Fails when EXE imports a DLL that is not in ALLOWED and not an api-ms-win-*
# API set, so the program never needs a DLL beside it, or when it is not marked
# Terminal Server aware.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
    OUTPUT_VARIABLE dump RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed: ${error}")
endif()

string(TOLOWER "${ALLOWED}" allowed)
string(REPLACE "," ";" allowed "${allowed}")
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "No import table found in ${EXE}")
endif()
set(foreign "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" key)
    if(NOT key IN_LIST allowed AND NOT key MATCHES "^api-ms-win-")
        list(APPEND foreign "${dll}")
    endif()
endforeach()
# Terminal Server aware: on a Remote Desktop host, GetWindowsDirectoryW then
# names the real Windows folder, not the user's private copy of it, where a
# bare kravix.exe would otherwise be looked for.
if(NOT dump MATCHES "TERMINAL_SERVICE_AWARE")
    message(FATAL_ERROR "${EXE} is not marked Terminal Server aware (-Wl,--tsaware)")
endif()
if(foreign)
    list(JOIN foreign ", " foreign)
    message(FATAL_ERROR "${EXE} imports DLLs that Windows does not provide: ${foreign}\n"
        "Link them statically (-static), or allow them in kx_check_imports (cmake/resources.cmake) if Windows ships them.")
endif()
