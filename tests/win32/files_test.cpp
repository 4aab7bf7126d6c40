// kx_shell.ini on real files under Wine: the code page, long paths, files held by other programs, and the answers
// Windows gives where Wine would not.
#include <gtest/gtest.h>

#include "config_file.h"
#include "test_files.h"
#include "win32_fixtures.h"

namespace {

// CreateFileW as Windows 7 answers: a path of MAX_PATH characters or more only in its \\?\ form; and, while
// `noNewFiles`, as a folder that lets nobody create a file in it.
bool noNewFiles = false;
HANDLE WINAPI CreatingFiles(LPCWSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE m);
const ImportPatch creatingFiles("CreateFileW", &CreatingFiles);
HANDLE WINAPI CreatingFiles(LPCWSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE m) {
    const bool tooLong = wcslen(p) >= MAX_PATH && wcsncmp(p, L"\\\\?\\", 4);
    if (!tooLong && !(noNewFiles && d == CREATE_NEW))
        return creatingFiles.Original<decltype(&CreateFileW)>()(p, a, s, sa, d, f, m);
    SetLastError(tooLong ? ERROR_FILENAME_EXCED_RANGE : ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

// kx_shell.ini deeper than 260 characters, where Windows 7 takes only the \\?\ form: saved in the ANSI code page, or
// in UTF-8 where it lacks a character, read back and replaced, leaving no file of its own.
TEST(Win32, DeepFolders) {
    TestFolder scratch;
    std::wstring deep = L"\\\\?\\" + scratch.wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    // "∞" is not in code page 1251: written as UTF-8, never as its look-alike "8".
    WriteProgramPath(platform, L"C:\\∞.exe");
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBF\"C:\\\xE2\x88\x9E.exe\"\r\n");
    WriteProgramPath(platform, L"C:\\Игры\\kravix.exe");
    EXPECT_EQ(ReadBytes(ini), "\"C:\\\xC8\xE3\xF0\xFB\\kravix.exe\"\r\n");
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\kravix.exe");
    // Too deep for std::filesystem: the file and the folders go one by one, which a file left behind would stop.
    DeleteFileW(ini.c_str());
    for (; deep.size() > scratch.wstring().size() + 4; deep.resize(deep.rfind(L'\\')))
        EXPECT_TRUE(RemoveDirectoryW(deep.c_str()));
}

// Saves as Windows refuses them: kx_shell.ini marked read-only stays as it is (Wine would replace it); where the
// folder refuses new files and the disk is full, the saved path stays.
TEST(Win32, SavesWindowsRefuses) {
    TestFolder scratch;
    PlatformIn platform(scratch);
    const fs::path ini = scratch / L"kx_shell.ini";
    WriteBytes(ini, "\"C:\\old.exe\"\r\n");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\new.exe"), PlatformFailure);
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    noNewFiles = true;
    const ImportPatch diskFull("SetEndOfFile", FailingAs<ERROR_DISK_FULL>(&SetEndOfFile));
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\a longer path\\kravix.exe"), PlatformFailure);
    noNewFiles = false;
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\old.exe");
}
