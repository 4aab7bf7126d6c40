// Starting kravix.exe.
#pragma once

#include <string>

#include "platform/platform_ops.h"

namespace win32 {

// The program a launch starts: a bare name is looked for beside the launcher
// first, then where Windows looks for programs. Throws when there is none.
std::wstring ResolveProgram(const std::wstring& program);
void StartProgram(const std::wstring& program, const std::wstring& commandLine, StartedWindow window);
// The short (8.3) form of an existing file's path, or empty when there is none.
std::wstring ShortPath(const std::wstring& path);

}  // namespace win32
