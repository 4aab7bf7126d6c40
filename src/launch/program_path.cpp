#include "program_path.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The folders of PATH that name a place by themselves; an empty, "." or other
// relative entry would mean the current folder, and is skipped. An entry may
// be quoted, as cmd allows, and is then one folder, semicolons included.
std::vector<std::wstring> AbsoluteFoldersOf(const std::wstring& variable) {
    std::vector<std::wstring> folders;
    std::wstring folder;
    const auto endOfEntry = [&] {
        if (IsFullyQualified(folder)) folders.push_back(folder);
        folder.clear();
    };
    bool quoted = false;
    for (const wchar_t c : variable) {
        if (c == L'"') {
            quoted = !quoted;
        } else if (c == L';' && !quoted) {
            endOfEntry();
        } else {
            folder += c;
        }
    }
    endOfEntry();
    return folders;
}

// A colon belongs to a drive only right after its letter at the start ("C:\",
// "\\?\C:\", "\\.\C:\"); anywhere else it names a stream of a file, which
// Windows might run as a program of another kind.
bool HasStreamColon(const std::wstring& path) {
    const std::size_t drive = IsDevicePath(path) ? 4 : 0;
    for (std::size_t i = path.find(L':'); i != std::wstring::npos; i = path.find(L':', i + 1)) {
        if (i != drive + 1 || !IsDriveLetter(path[drive])) return true;
    }
    return false;
}

}  // namespace

bool IsOnDrive(const std::wstring& path) {
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

bool IsDevicePath(const std::wstring& path) { return path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"); }

bool IsFullyQualified(const std::wstring& path) {
    return (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) || IsOnDrive(path);
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + L'\\' + name;
}

std::wstring FolderOf(const std::wstring& file) {
    std::wstring folder = file.substr(0, file.find_last_of(L"\\/"));
    if (folder.size() == 2 && folder.back() == L':') folder += L'\\';
    return folder;
}

std::optional<std::wstring> ResolveProgram(PlatformOps& ops, const std::wstring& path) {
    if (path.empty() || HasStreamColon(path)) return std::nullopt;
    if (IsFullyQualified(path)) return path;
    // "\k.exe" and "C:k.exe" name a place through the current drive or folder.
    if (IsSeparator(path[0]) || path.find(L':') != std::wstring::npos) return std::nullopt;
    const std::wstring launcherFolder = ops.ProgramDirectory();
    if (path.find_first_of(L"\\/") != std::wstring::npos) return InFolder(launcherFolder, path);

    const std::wstring name = path.find(L'.') == std::wstring::npos ? path + L".exe" : path;
    std::vector<std::wstring> folders{launcherFolder};
    for (const std::wstring& folder : ops.SystemFolders()) folders.push_back(folder);
    for (const std::wstring& folder : AbsoluteFoldersOf(ops.PathVariable())) folders.push_back(folder);
    for (const std::wstring& folder : folders) {
        const std::wstring candidate = InFolder(folder, name);
        if (ops.IsFile(candidate)) return candidate;
    }
    return std::nullopt;
}

std::wstring ExtensionAsOpened(const std::wstring& path) {
    const std::size_t end = path.find_last_not_of(L". ");
    const std::size_t dot = end == std::wstring::npos ? end : path.find_last_of(L".\\/", end);
    if (dot == std::wstring::npos || path[dot] != L'.') return {};
    std::wstring extension = path.substr(dot, end + 1 - dot);
    for (wchar_t& c : extension) c = c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
    return extension;
}
