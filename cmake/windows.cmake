# What every Windows target shares. Included from the top level when building
# for Windows, with MinGW-w64 or MSVC.
include(${CMAKE_CURRENT_LIST_DIR}/resources.cmake)

if(MINGW)
    # Every program is one self-contained file: the C++ runtime is linked in,
    # so no MinGW DLL has to lie beside it.
    add_link_options(-static)
    # No link time in the PE header (its TimeDateStamp stays 0): the same
    # sources then give the same bytes, the header's checksum included.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
