// Text in the system's ANSI code page, the one the configuration file is
// kept in and old programs read their command line in.
#pragma once

#include <string>

namespace win32 {

// False when a character has no exact equivalent in the code page: no
// best-fit substitutes, so "∞" never turns into "8".
bool ToAnsi(const std::wstring& text, std::string& bytes);
std::wstring FromAnsi(const std::string& bytes);

}  // namespace win32
