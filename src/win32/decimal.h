// A number as text. std::to_wstring would bring in the C library's whole
// formatted printing for this one use.
#pragma once

#include <string>

namespace win32 {

inline std::wstring Decimal(unsigned long value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value);
    return digits;
}

}  // namespace win32
