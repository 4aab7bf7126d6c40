// A file dialog's filter as the common dialog takes it.
#pragma once

#include <string>

// "Description|patterns|...|" becomes "Description\0patterns\0...\0\0": every
// bar ends a string, and one more NUL ends the list.
inline std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring list = filter;
    for (wchar_t& c : list) {
        if (c == L'|') c = L'\0';
    }
    if (list.empty() || list.back() != L'\0') list += L'\0';
    return list + L'\0';
}
