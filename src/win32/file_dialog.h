// The common Open dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "window_table.h"

namespace win32 {

// The chosen file's full path, or nothing when the user cancels. Throws when
// the dialog itself fails.
std::optional<std::wstring> ChooseFile(HWND owner, const FileDialogDef& dialog, const std::wstring& fileName);

// The dialog's file-name buffer: room for the longest path Windows allows,
// counted in characters, starting with `fileName`.
std::vector<wchar_t> FileNameBuffer(const std::wstring& fileName);

}  // namespace win32
