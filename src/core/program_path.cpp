#include "core/program_path.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

PlatformFailure NotFound(const std::wstring& path) { return {L"Не найдена программа " + path + L".", {}}; }

// The folders of PATH that name a place by themselves; an empty, "." or other
// relative entry would mean the current folder, and is skipped.
std::vector<std::wstring> AbsoluteFoldersOf(const std::wstring& variable) {
    std::vector<std::wstring> folders;
    std::size_t start = 0;
    while (start <= variable.size()) {
        std::size_t end = variable.find(L';', start);
        if (end == std::wstring::npos) end = variable.size();
        std::wstring folder = variable.substr(start, end - start);
        // An entry may be quoted to hold a semicolon-free path with blanks.
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (IsFullyQualified(folder)) folders.push_back(folder);
        start = end + 1;
    }
    return folders;
}

}  // namespace

bool IsFullyQualified(const std::wstring& path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && IsSeparator(folder.back()) ? folder + name : folder + L'\\' + name;
}

std::wstring ResolveProgram(PlatformOps& ops, const std::wstring& path) {
    if (path.empty()) throw PlatformFailure{L"Путь к kravix.exe не задан.", {}};
    if (IsFullyQualified(path)) return path;
    if (IsSeparator(path[0]) || (path.size() >= 2 && path[1] == L':')) {
        throw PlatformFailure{L"Путь к kravix.exe зависит от текущей папки: " + path + L".", {}};
    }
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
    throw NotFound(path);
}
