// A text that a Windows function writes into a buffer it is given the size of.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Calls `call(argument, buffer, size)` with a larger buffer until the text
// fits; empty when the function fails. Most such functions return the size
// they need when the buffer is too small, but GetModuleFileNameW returns the
// size it was given: the buffer at least doubles each time, so neither kind
// loops forever.
std::wstring GrowingBuffer(DWORD (*call)(const wchar_t* argument, wchar_t* buffer, DWORD size),
                           const wchar_t* argument = nullptr);

// The process's current folder; empty when Windows cannot tell it.
std::wstring CurrentFolder();

}  // namespace win32
