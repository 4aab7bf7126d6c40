// The Windows operations on a real file system and with real processes,
// under Wine when cross-compiling: each once, where only Windows can show it.
#include <gtest/gtest.h>

#include "config_file.h"
#include "file_dialog.h"
#include "launch.h"
#include "program_path.h"
#include "system_values.h"
#include "test_files.h"
#include "win32_platform.h"

namespace {

// The real platform, with its program folder elsewhere and its end caught.
struct PlatformIn : Win32Platform {
    explicit PlatformIn(const fs::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    [[noreturn]] void EndProgram() override { throw folder; }
    std::wstring folder;
};

}  // namespace

TEST(Win32, NamedValuesAndTheAnsiCodePage) {
    EXPECT_EQ(win32::KeyOf(123), Key::F12);
    EXPECT_EQ(win32::ShowCommandOf(StartedWindow::NormalWithFocus), 1);
    EXPECT_EQ(win32::MessageBoxStyleOf(MessageKind::CriticalOk), 16u);
    EXPECT_EQ(win32::FontWeightOf(FontWeight::Bold), 700);
    EXPECT_EQ(win32::CharsetOf(Charset::Cyrillic), 204);
    std::string bytes;
    EXPECT_FALSE(Win32Platform().ToAnsi(L"∞", bytes)) << "best fit would give 8";
    EXPECT_EQ(std::wstring(win32::FileNameBuffer(std::wstring(40000, L'x')).data()).size(), 32767u);
}

// Deeper than 260 characters, in a folder named with a trailing backslash as a
// drive root is: saved, read while held open, kept whole when it cannot be replaced.
TEST(Win32, ConfigurationFileOnDisk) {
    TestFolder scratch;
    std::wstring deep = L"\\\\?\\" + scratch.wstring();
    while (deep.size() < 300) CreateDirectoryW((deep += L"\\папка папка папка").c_str(), nullptr);
    PlatformIn platform(deep.substr(4) + L"\\");
    const std::wstring ini = deep + L"\\kx_shell.ini";
    WriteProgramPath(platform, L"C:\\Игры\\∞.exe");
    EXPECT_EQ(ReadBytes(ini), "\xEF\xBB\xBF\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\\xE2\x88\x9E.exe\"\r\n");
    const HANDLE held =
        CreateFileW(ini.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    EXPECT_THROW(WriteProgramPath(platform, L"C:\\new.exe"), PlatformFailure);
    CloseHandle(held);
    EXPECT_EQ(ReadProgramPath(platform), L"C:\\Игры\\∞.exe");
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW((deep + L"\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file is left";
    DeleteFileW(ini.c_str());
    for (; deep.size() > scratch.wstring().size() + 4; deep.erase(deep.rfind(L'\\'))) RemoveDirectoryW(deep.c_str());
}

// The program with blanks in its path, not the decoy named by its first word, in
// the folder the launcher started in; never one planted in the current folder.
// A batch file gets a name with an ampersand whole (under Wine's cmd, a smoke test).
TEST(Win32, StartsTheRightProgram) {
    TestFolder scratch;
    const fs::path tools = scratch / L"My Tools";
    fs::create_directories(tools);
    for (const fs::path& copy : {tools / L"kravix.exe", scratch / L"My.exe", scratch / L"kravix.exe"}) {
        fs::copy_file(Here() / L"stand_in_kravix.exe", copy);
    }
    SetCurrentDirectoryW(scratch.c_str());
    PlatformIn platform(tools);
    SetCurrentDirectoryW(tools.c_str());
    const std::wstring program = (tools / L"kravix.exe").wstring();
    EXPECT_THROW(LaunchProgram(platform, {program, L"C:\\a b\\", L"", L"Ж é&%OS%"}), std::wstring);
    // An ANSI program reads "é" as its look-alike "e".
    EXPECT_EQ(FromUtf8(ReadBytes(tools / L"received.txt")),
              L"\"" + program + L"\" \"C:\\a b\\\\\" \"\" \"Ж é&%OS%\"\n\"" + program +
                  L"\" \"C:\\a b\\\\\" \"\" \"Ж e&%OS%\"\n" + scratch.wstring() +
                  L"\nnot opened\nC:\\a b\\\n\nЖ é&%OS%\n");
    EXPECT_FALSE(fs::exists(scratch / L"received.txt")) << "the decoy ran";
    // A look-alike quote in a name with no short form (it does not exist) is refused.
    fs::remove(tools / L"received.txt");
    EXPECT_THROW(LaunchProgram(platform, {program, (scratch / L"b\uFF02 \uFF02-evil.nes").wstring(), L"", L""}),
                 PlatformFailure);
    EXPECT_FALSE(fs::exists(tools / L"received.txt"));
    EXPECT_THROW(LaunchProgram(platform, {(scratch / L"missing.exe").wstring(), L"", L"", L""}), PlatformFailure);
    WriteBytes(tools / L"kravix.bat", "@echo %1> \"%~dp0got.txt\"\r\n");
    WriteBytes(tools / L"pwn.bat", "@echo pwned> \"%~dp0pwned.txt\"\r\n");
    EXPECT_THROW(LaunchProgram(platform, {L"kravix.bat", (scratch / L"g&pwn").wstring(), L"", L""}), std::wstring);
    EXPECT_TRUE(ReadBytes(tools / L"got.txt").ends_with("\\g&pwn\"\r\n")) << "(its ASCII end: cmd writes in OEM)";
    EXPECT_FALSE(fs::exists(tools / L"pwned.txt"));
    SetCurrentDirectoryW(scratch.c_str());
    fs::remove(tools / L"kravix.exe");
    EXPECT_THROW(ResolveProgram(platform, L"kravix.exe"), PlatformFailure);
    SetCurrentDirectoryW(Here().c_str());
}
