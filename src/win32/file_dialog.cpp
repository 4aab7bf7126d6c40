#include "file_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "decimal.h"
#include "dialog_filter.h"
#include "messages.h"
#include "system_failure.h"
#include "late_bound.h"

namespace win32 {

namespace {

struct CommonDialogs {
    BOOL(WINAPI* getOpenFileName)(OPENFILENAMEW*);
    DWORD(WINAPI* extendedError)();
};

// Loaded at the first browse rather than at start-up: comdlg32 brings shell32
// and several more DLLs with it, a fifth of the launcher's start-up time.
const CommonDialogs& LoadCommonDialogs() {
    static const CommonDialogs dialogs{
        SystemFunction<decltype(CommonDialogs::getOpenFileName)>(L"comdlg32.dll", "GetOpenFileNameW"),
        SystemFunction<decltype(CommonDialogs::extendedError)>(L"comdlg32.dll", "CommDlgExtendedError")};
    return dialogs;
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
    const CommonDialogs& dialogs = LoadCommonDialogs();
    if (!dialogs.getOpenFileName || !dialogs.extendedError) {
        throw PlatformFailure{kCannotOpenDialog, kDialogLibraryMissing};
    }
    if (dialogs.getOpenFileName(&request)) return std::wstring(buffer.data());
    const DWORD error = dialogs.extendedError();
    if (error == 0) return std::nullopt;  // cancelled
    throw PlatformFailure{kCannotOpenDialog, Fill(kErrorCode, Decimal(error))};
}

}  // namespace win32
