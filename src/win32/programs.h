// Starting kravix.exe, and where Windows keeps programs.
#pragma once

#include <string>
#include <vector>

#include "platform_ops.h"

namespace win32 {

// Starts `program`, a full path, in `workingFolder`; does not wait.
void StartProgram(const std::wstring& program,
                  const std::wstring& commandLine,
                  StartedWindow window,
                  const std::wstring& workingFolder);
// The short (8.3) form of an existing file's path, or empty when there is none.
std::wstring ShortPath(const std::wstring& path);
bool IsFile(const std::wstring& path);
// The system folder, then the Windows folder.
std::vector<std::wstring> SystemFolders();
std::wstring EnvironmentValue(const wchar_t* name);
std::wstring CurrentFolder();

}  // namespace win32
