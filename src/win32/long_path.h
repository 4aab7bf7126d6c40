// Paths of any length for the file functions.
#pragma once

#include <string>

namespace win32 {

// A path past the classic 260-character limit gets the \\?\ form, which the
// file functions take at any length; a shorter one is returned unchanged.
std::wstring ForFileApi(const std::wstring& path);

}  // namespace win32
