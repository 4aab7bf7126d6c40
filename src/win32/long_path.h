// Paths of any length for the file functions.
#pragma once

#include <string>

namespace win32 {

// A path of 248 characters or more, past what the file functions take for a
// folder (the tighter of their limits: 260 for a file, 248 for a folder),
// gets the \\?\ form, which they take at any length; a shorter one is
// returned unchanged.
std::wstring ForFileApi(const std::wstring& path);
// The plain form of a \\?\ or \\.\ path, as other programs take it: "\\?\C:\a" is
// "C:\a", "\\?\UNC\server\a" is "\\server\a"; any other path as it is.
std::wstring PlainForm(const std::wstring& path);

}  // namespace win32
