#include "program_path.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The folders of PATH that name a place by themselves; an empty, "." or other
// relative entry would mean the current folder, and is skipped. An entry may
// be quoted, as cmd allows.
std::vector<std::wstring> AbsoluteFoldersOf(const std::wstring& variable) {
    std::vector<std::wstring> folders;
    std::wstring folder;
    for (const wchar_t c : variable + L';') {
        if (c == L'"') continue;
        if (c != L';') {
            folder += c;
            continue;
        }
        if (IsFullyQualified(folder)) folders.push_back(folder);
        folder.clear();
    }
    return folders;
}

}  // namespace

bool IsFullyQualified(const std::wstring& path) {
    return (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) ||
           (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]));
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + L'\\' + name;
}

std::wstring ResolveProgram(PlatformOps& ops, const std::wstring& path) {
    if (path.empty()) throw PlatformFailure{};
    if (IsFullyQualified(path)) return path;
    // "\k.exe" and "C:k.exe" name a place through the current drive or folder.
    if (IsSeparator(path[0]) || path.find(L':') != std::wstring::npos) throw PlatformFailure{};
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
    throw PlatformFailure{};
}
