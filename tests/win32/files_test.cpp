// kx_shell.ini on real files under Wine: the code page, long paths, files held by other programs, and the answers
// Windows gives where Wine would not.
#include <gtest/gtest.h>

#include "config_file.h"
#include "platform_in.h"
#include "program_path.h"
#include "test_files.h"
#include "win32_fixtures.h"

namespace {

// CreateFileW as Windows 7 answers: a path of MAX_PATH characters or more only in its \\?\ form; and, while
// `noNewFiles`, as a folder that lets nobody create a file in it.
decltype(&CreateFileW) createFile = nullptr;
bool noNewFiles = false;
HANDLE WINAPI CreatingFiles(LPCWSTR path,
                            DWORD access,
                            DWORD share,
                            LPSECURITY_ATTRIBUTES security,
                            DWORD disposition,
                            DWORD flags,
                            HANDLE model) {
    const bool tooLong = wcslen(path) >= MAX_PATH && wcsncmp(path, L"\\\\?\\", 4);
    if (!tooLong && !(noNewFiles && disposition == CREATE_NEW))
        return createFile(path, access, share, security, disposition, flags, model);
    SetLastError(tooLong ? ERROR_FILENAME_EXCED_RANGE : ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

TEST(Win32, AnsiCodePageAndUniqueNames) {
    // In code page 1251 (Wine best-fits "＂" to a quote, "é" to "e").
    Win32Platform platform;
    std::string bytes;
    EXPECT_FALSE(platform.ToAnsi(L"＂", bytes)) << "no best fit when writing";
    EXPECT_EQ(platform.AnsiView(L"b＂é"), L"b\"e");
    EXPECT_NE(platform.UniqueName(), platform.UniqueName());
}

// kx_shell.ini deeper than 260 characters, where Windows 7 takes only the \\?\ form, in the ANSI code page: saved,
// read while another program holds it, and replaced while being read; a save onto the held file is tried in place
// before it fails, and leaves no file of its own. A short form goes to other programs in its plain form.
TEST(Win32, DeepFolders) {
    const ImportPatch creating("CreateFileW", &CreatingFiles);
    createFile = creating.Original<decltype(createFile)>();
    TestFolder scratch;
    std::wstring deep = L"\\\\?\\" + scratch.wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    WriteProgramPath(platform, L"C:\\Игры\\kravix.exe");
    EXPECT_EQ(ReadBytes(ini), "\"C:\\\xC8\xE3\xF0\xFB\\kravix.exe\"\r\n");
    EXPECT_TRUE(IsOnDrive(platform.ShortPath(ini)));
    const HANDLE holder = CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\kravix.exe");
    try {
        WriteProgramPath(platform, L"C:\\new.exe");
        ADD_FAILURE() << "saved onto a held file";
    } catch (const PlatformFailure& failure) {
        EXPECT_TRUE(failure.reason.starts_with(L"Не удалось открыть для записи файл")) << "not tried in place";
    }
    CloseHandle(holder);
    const FileHandle reading = platform.OpenForInput(ini);
    WriteProgramPath(platform, L"C:\\new.exe");
    platform.CloseFile(reading);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\new.exe") << "not replaced";
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
    {
        const ImportPatch creating("CreateFileW", &CreatingFiles);
        createFile = creating.Original<decltype(createFile)>();
        noNewFiles = true;
        const ImportPatch diskFull("SetEndOfFile", FailingAs<ERROR_DISK_FULL>(&SetEndOfFile));
        EXPECT_THROW(WriteProgramPath(platform, L"C:\\a longer path\\kravix.exe"), PlatformFailure);
        noNewFiles = false;
    }
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\old.exe");
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch), {}), 1) << "a temporary file left behind";
}
