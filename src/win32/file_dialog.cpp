#include "file_dialog.h"

#include <cderr.h>

#include <algorithm>

#include "decimal.h"
#include "growing_buffer.h"
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

// Puts the current folder back when it goes: an Open dialog makes the chosen
// file's folder the current one, which would keep a stick holding it from
// being ejected while the launcher runs, and OFN_NOCHANGEDIR does nothing
// for an Open dialog (its documentation says so).
class CurrentFolderKept {
public:
    CurrentFolderKept() : folder_(CurrentFolder()) {}
    ~CurrentFolderKept() {
        if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
    }
    CurrentFolderKept(const CurrentFolderKept&) = delete;
    CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

private:
    const std::wstring folder_;
};

}  // namespace

std::vector<wchar_t> FileNameBuffer(const std::wstring& fileName) {
    std::vector<wchar_t> buffer(kLongestPath + 1, L'\0');
    std::copy_n(fileName.begin(), std::min(fileName.size(), kLongestPath), buffer.begin());
    return buffer;
}

std::optional<std::wstring> ChooseFile(HWND owner, const FileDialogDef& dialog, const std::wstring& fileName) {
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
    // The folder of the file the dialog holds; given none, Windows 7 and later
    // open the folder the launcher last used for any row.
    const std::wstring folder = fileName.substr(0, fileName.find_last_of(L'\\') + 1);
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    const auto getOpenFileName = late::GetOpenFileName.Get();
    const auto extendedError = late::CommDlgExtendedError.Get();
    if (!getOpenFileName || !extendedError) throw PlatformFailure{kCannotOpenDialog, kDialogLibraryMissing};
    const CurrentFolderKept kept;
    if (getOpenFileName(&request)) return std::wstring(buffer.data());
    const DWORD error = extendedError();
    if (error == 0) return std::nullopt;  // cancelled
    // A long path that Windows handed back in its \\?\ form may be refused
    // when given again: the dialog opens once more with no file name, rather
    // than never again for this row.
    if (error == FNERR_INVALIDFILENAME && !fileName.empty()) return ChooseFile(owner, dialog, L"");
    throw PlatformFailure{kCannotOpenDialog, Fill(kErrorCode, Decimal(error))};
}

}  // namespace win32
