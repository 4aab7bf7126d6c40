// The Windows operations on a real file system and with real processes,
// under Wine when cross-compiling: each once, where only Windows can show it.
#include <gtest/gtest.h>

#include "core/config_file.h"
#include "core/launch.h"
#include "core/program_path.h"
#include "platform/win32/file_dialog.h"
#include "platform/win32/system_values.h"
#include "platform/win32/win32_platform.h"
#include "win32/test_files.h"

namespace {

// The real platform, with its program folder elsewhere and its end caught.
struct PlatformIn : Win32Platform {
    explicit PlatformIn(const fs::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    [[noreturn]] void EndProgram() override { throw folder; }
    std::wstring folder;
};

// Played by a copy of this program: 200 saves into the folder it is given.
const bool kSaver = [] {
    wchar_t folder[MAX_PATH * 4];
    if (!GetEnvironmentVariableW(L"KX_SAVE_INTO", folder, MAX_PATH * 4)) return false;
    PlatformIn platform(folder);
    for (int i = 0; i < 200; ++i) WriteProgramPath(platform, L"C:\\" + std::to_wstring(GetCurrentProcessId()));
    ExitProcess(0);
}();

// The file once a started program has written it (10 s at most).
std::string WaitRead(const fs::path& file) {
    for (int poll = 0; poll < 400 && !fs::exists(file); ++poll) Sleep(25);
    return ReadBytes(file);
}

}  // namespace

TEST(Win32, NamedValuesAndTheAnsiCodePage) {
    EXPECT_EQ(win32::KeyOf(123), Key::F12);
    EXPECT_EQ(win32::KeyOf(122), Key::Other);
    EXPECT_EQ(win32::ShowCommandOf(StartedWindow::NormalWithFocus), 1);
    EXPECT_EQ(win32::MessageBoxStyleOf(MessageKind::CriticalOk), 16u);
    EXPECT_EQ(win32::FontWeightOf(FontWeight::Bold), 700);
    EXPECT_EQ(win32::CharsetOf(Charset::Cyrillic), 204);
    std::string bytes;
    EXPECT_FALSE(Win32Platform().ToAnsi(L"∞", bytes)) << "best fit would give 8";
    EXPECT_EQ(std::wstring(win32::FileNameBuffer(std::wstring(40000, L'x')).data()).size(), 32767u);
}

// Deeper than 260 characters, in a folder named with a trailing backslash as
// a drive root is: saved, read while another program holds the file open,
// and kept whole when a save cannot replace it.
TEST(Win32, ConfigurationFileOnDisk) {
    TestFolder scratch;
    std::wstring deep = L"\\\\?\\" + scratch.wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    WriteProgramPath(platform, L"C:\\Игры\\∞.exe");
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBF\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\\xE2\x88\x9E.exe\"\r\n");
    const HANDLE held = CreateFileW(ini.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\new.exe"), PlatformFailure);
    CloseHandle(held);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW((deep + L"\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file is left";
    DeleteFileW(ini.c_str());
    for (; deep.size() > scratch.wstring().size() + 4; deep.erase(deep.rfind(L'\\'))) RemoveDirectoryW(deep.c_str());
}

// Two launchers save 200 times each at the same moment while a third reads:
// every save succeeds, every read finds one of the saved paths.
TEST(Win32, ConcurrentSaves) {
    TestFolder scratch;
    SetEnvironmentVariableW(L"KX_SAVE_INTO", scratch.c_str());
    PROCESS_INFORMATION savers[2]{};
    HANDLE handles[2];
    std::wstring line = L"platform_tests", saved[2];
    STARTUPINFOW startup{sizeof startup};
    for (int i = 0; i < 2; ++i) {
        CreateProcessW((Here() / L"platform_tests.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &savers[i]);
        saved[i] = L"C:\\" + std::to_wstring(savers[i].dwProcessId), handles[i] = savers[i].hProcess;
    }
    SetEnvironmentVariableW(L"KX_SAVE_INTO", nullptr);
    PlatformIn reader(scratch);
    WaitRead(scratch / L"kx_shell.ini");
    // A read holds the file for a moment, as a virus scanner would; the saves wait it out.
    for (int reads = 0; WaitForMultipleObjects(2, handles, TRUE, 1) == WAIT_TIMEOUT || reads == 0; ++reads) {
        const std::wstring path = ReadProgramPath(reader);
        EXPECT_TRUE(path == saved[0] || path == saved[1]) << Utf8(path);
    }
    for (DWORD status = 1; const HANDLE saver : handles) EXPECT_TRUE(GetExitCodeProcess(saver, &status) && !status);
}

// The program with blanks in its path, not the decoy named by its first
// word; its arguments whole; the folder the launcher started in as its
// working folder, wherever the current one has moved since; never a
// kravix.exe planted in the current folder.
TEST(Win32, StartsTheRightProgramWithItsArguments) {
    TestFolder scratch;
    const fs::path tools = scratch / L"My Tools", standIn = Here() / L"stand_in" / L"kravix.exe";
    fs::create_directories(tools);
    fs::copy_file(standIn, tools / L"kravix.exe");
    fs::copy_file(standIn, scratch / L"My.exe");
    fs::copy_file(standIn, scratch / L"kravix.exe");
    SetCurrentDirectoryW(scratch.c_str());
    PlatformIn platform(Here());
    SetCurrentDirectoryW(tools.c_str());
    const std::wstring program = (tools / L"kravix.exe").wstring();
    EXPECT_THROW(LaunchProgram(platform, {program, L"C:\\a b\\", L"", L"Ж ∞&%OS%"}), std::wstring);
    EXPECT_EQ(FromUtf8(WaitRead(tools / L"received.txt")), L"\"" + program + L"\" \"C:\\a b\\\\\" \"\" \"Ж ∞&%OS%\"\n" +
                                                               scratch.wstring() + L"\nnot opened\nC:\\a b\\\n\nЖ ∞&%OS%\n");
    EXPECT_FALSE(fs::exists(scratch / L"received.txt")) << "the decoy ran";
    EXPECT_THROW(LaunchProgram(platform, {(scratch / L"missing.exe").wstring(), L"", L"", L""}), PlatformFailure);
    SetCurrentDirectoryW(scratch.c_str());
    EXPECT_THROW(ResolveProgram(platform, L"kravix.exe"), PlatformFailure);
    SetCurrentDirectoryW(Here().c_str());
}

// Wine's cmd is not Windows' own: this only shows that the line works there.
TEST(Win32, BatchFileGetsAFileNameWithAnAmpersandWhole) {
    TestFolder scratch;
    WriteBytes(scratch / L"kravix.bat", "@echo %1> \"%~dp0got.txt\"\r\n");
    WriteBytes(scratch / L"pwn.bat", "@echo pwned> \"%~dp0pwned.txt\"\r\n");
    SetCurrentDirectoryW(scratch.c_str());
    PlatformIn platform(scratch);
    EXPECT_THROW(LaunchProgram(platform, {L"kravix.bat", (scratch / L"g&pwn").wstring(), L"", L""}), std::wstring);
    // cmd writes the name in the OEM code page: only its ASCII end is compared.
    EXPECT_TRUE(WaitRead(scratch / L"got.txt").ends_with("\\g&pwn\"\r\n"));
    EXPECT_FALSE(fs::exists(scratch / L"pwned.txt"));
    SetCurrentDirectoryW(Here().c_str());
}
