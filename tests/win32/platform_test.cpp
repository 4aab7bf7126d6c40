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
class PlatformIn : public Win32Platform {
public:
    explicit PlatformIn(std::wstring folder) : folder_(std::move(folder)) {}
    std::wstring ProgramDirectory() override { return folder_; }
    [[noreturn]] void EndProgram() override { throw folder_; }

private:
    std::wstring folder_;
};

// A copy of this program that saves 200 times into the folder it is given, then ends.
const int kSaver = [] {
    wchar_t folder[MAX_PATH * 4];
    if (!GetEnvironmentVariableW(L"KX_SAVE_INTO", folder, MAX_PATH * 4)) return 0;
    PlatformIn platform(folder);
    for (int i = 0; i < 200; ++i) WriteProgramPath(platform, L"C:\\" + std::to_wstring(GetCurrentProcessId()));
    ExitProcess(0);
}();

// The file once a started program has written it (10 s at most).
std::string WaitRead(const fs::path& file) {
    for (int wait = 0; wait < 400 && !fs::exists(file); ++wait) Sleep(25);
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
    std::wstring deep = L"\\\\?\\" + scratch.path().wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    WriteProgramPath(platform, L"C:\\Игры\\∞.exe");
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBF\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\\xE2\x88\x9E.exe\"\r\n");
    HANDLE held = CreateFileW(ini.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\new.exe"), PlatformFailure);
    CloseHandle(held);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW((deep + L"\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file is left";
}

// Two launchers save 200 times each at the same moment while a third reads.
TEST(Win32, ConcurrentSavesAllSucceed) {
    TestFolder scratch;
    SetEnvironmentVariableW(L"KX_SAVE_INTO", scratch.path().c_str());
    PROCESS_INFORMATION savers[2]{};
    std::wstring line = L"platform_tests";
    STARTUPINFOW startup{sizeof startup};
    for (auto& saver : savers) {
        ASSERT_TRUE(CreateProcessW((Here() / L"platform_tests.exe").c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &saver));
    }
    SetEnvironmentVariableW(L"KX_SAVE_INTO", nullptr);
    PlatformIn reader(scratch.path().wstring());
    int reads = 0;
    while (WaitForSingleObject(savers[1].hProcess, 0) == WAIT_TIMEOUT || WaitForSingleObject(savers[0].hProcess, 0) == WAIT_TIMEOUT) {
        try {
            const std::wstring saved = ReadProgramPath(reader);
            EXPECT_TRUE(saved == L"C:\\" + std::to_wstring(savers[0].dwProcessId) ||
                        saved == L"C:\\" + std::to_wstring(savers[1].dwProcessId)) << Utf8(saved);
            ++reads;
        } catch (const PlatformFailure&) {  // not saved yet
        }
    }
    for (auto& saver : savers) {
        DWORD status = 99;
        GetExitCodeProcess(saver.hProcess, &status);
        EXPECT_EQ(status, 0u);
    }
    EXPECT_GT(reads, 0);
}

// The program with blanks in its path, not the decoy named by its first
// word; its arguments whole; the folder the launcher started in as its
// working folder, wherever the current one has moved since.
TEST(Win32, StartsTheRightProgramWithItsArguments) {
    TestFolder scratch;
    const fs::path tools = scratch / L"My Tools", standIn = Here() / L"stand_in" / L"kravix.exe";
    fs::create_directories(tools);
    fs::copy_file(standIn, tools / L"kravix.exe");
    fs::copy_file(standIn, scratch / L"My.exe");
    SetCurrentDirectoryW(scratch.path().c_str());
    PlatformIn platform(Here().wstring());
    SetCurrentDirectoryW(tools.c_str());
    const std::wstring program = (tools / L"kravix.exe").wstring();
    EXPECT_THROW(LaunchProgram(platform, {program, L"C:\\a b\\", L"", L"Ж ∞&%OS%"}), std::wstring);
    EXPECT_EQ(FromUtf8(WaitRead(tools / L"received.txt")), L"\"" + program + L"\" \"C:\\a b\\\\\" \"\" \"Ж ∞&%OS%\"\n" +
                                                     scratch.path().wstring() + L"\nnot opened\nC:\\a b\\\n\nЖ ∞&%OS%\n");
    EXPECT_FALSE(fs::exists(scratch / L"received.txt")) << "the decoy ran";
    EXPECT_THROW(LaunchProgram(platform, {(scratch / L"missing.exe").wstring(), L"", L"", L""}), PlatformFailure);
    // A kravix.exe planted in the current folder is never found.
    SetCurrentDirectoryW(scratch.path().c_str());
    fs::copy_file(standIn, scratch / L"kravix.exe");
    EXPECT_THROW(ResolveProgram(platform, L"kravix.exe"), PlatformFailure);
    SetCurrentDirectoryW(Here().c_str());
}

// Wine's cmd is not Windows' own: this only shows that the line works there.
TEST(Win32, BatchFileGetsAFileNameWithAnAmpersandWhole) {
    TestFolder scratch;
    WriteBytes(scratch / L"kravix.bat", "@echo %1> \"%~dp0got.txt\"\r\n");
    WriteBytes(scratch / L"pwn.bat", "@echo pwned> \"%~dp0pwned.txt\"\r\n");
    SetCurrentDirectoryW(scratch.path().c_str());
    PlatformIn platform(scratch.path().wstring());
    const std::wstring rom = (scratch / L"g&pwn").wstring();
    EXPECT_THROW(LaunchProgram(platform, {L"kravix.bat", rom, L"", L""}), std::wstring);
    // cmd writes the name in the OEM code page: only its ASCII end is compared.
    EXPECT_TRUE(WaitRead(scratch / L"got.txt").ends_with("\\g&pwn\"\r\n"));
    EXPECT_FALSE(fs::exists(scratch / L"pwned.txt"));
    SetCurrentDirectoryW(Here().c_str());
}
