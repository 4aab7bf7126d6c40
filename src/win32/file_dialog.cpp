#include "file_dialog.h"

#include <algorithm>

#include "decimal.h"
#include "late_bound.h"
#include "messages.h"
#include "platform_ops.h"

namespace win32 {

namespace {

// "Description|patterns|...|" becomes "Description\0patterns\0...\0\0": every
// bar ends a string, and one more NUL ends the list.
std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring list = filter;
    std::replace(list.begin(), list.end(), L'|', L'\0');
    if (list.empty() || list.back() != L'\0') list += L'\0';
    return list + L'\0';
}

}  // namespace

std::vector<wchar_t> FileNameBuffer(const std::wstring& fileName) {
    std::vector<wchar_t> buffer(kLongestPath + 1, L'\0');
    std::copy_n(fileName.begin(), std::min(fileName.size(), kLongestPath), buffer.begin());
    return buffer;
}

std::optional<std::wstring> ShowOpenDialog(HWND owner, const FileDialogDef& dialog, const std::wstring& fileName) {
    std::vector<wchar_t> buffer = FileNameBuffer(fileName);
    const std::wstring filter = DialogFilter(dialog.filter);
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());  // in characters, not bytes
    request.lpstrTitle = dialog.title;
    // The working directory stays as it was: it is passed on to kravix.exe.
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    const auto getOpenFileName = late::GetOpenFileName.Get();
    const auto extendedError = late::CommDlgExtendedError.Get();
    if (!getOpenFileName || !extendedError) throw PlatformFailure{kCannotOpenDialog, kDialogLibraryMissing};
    if (getOpenFileName(&request)) return std::wstring(buffer.data());
    const DWORD error = extendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw PlatformFailure{kCannotOpenDialog, Fill(kErrorCode, Decimal(error))};
}

}  // namespace win32
