// Starting kravix.exe for real. The stand-in kravix.exe writes received.txt
// beside itself: the whole command line, then each argument as Windows splits it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/command_line.h"
#include "platform/win32/process.h"
#include "win32/test_folder.h"

namespace {

constexpr ULONGLONG kTimeoutMs = 30000;
constexpr wchar_t kRoleVariable[] = L"KX_TEST_ROLE";
constexpr wchar_t kStartByNameRole[] = L"start kravix.exe by its bare name";
constexpr wchar_t kWaitForReleaseRole[] = L"wait for release:";  // followed by the events' name

std::wstring StandIn() { return TestProgramFolder() + L"\\stand_in\\kravix.exe"; }
std::wstring ThisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[512];
    const DWORD length = GetEnvironmentVariableW(name, value, 512);
    return length > 0 && length < 512 ? std::wstring(value, length) : std::wstring();
}

// Some tests start a copy of this test program to play a part in them. The
// copy plays it before GoogleTest begins and ends there; its exit status or
// the events it sets tell the test how it went.
[[noreturn]] void PlayRole(const std::wstring& role) {
    if (role == kStartByNameRole) {
        try {
            win32::StartProgram(L"kravix.exe", L"kravix.exe started-by-name", StartedWindow::NormalWithFocus);
        } catch (const PlatformFailure&) {
            ExitProcess(2);
        }
        ExitProcess(0);
    }
    const std::wstring prefix = kWaitForReleaseRole;
    if (role.rfind(prefix, 0) == 0) {
        // Runs until the test releases it, so it ends only after a start that did not wait.
        const std::wstring name = role.substr(prefix.size());
        const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (name + L" release").c_str());
        const HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, (name + L" done").c_str());
        if (release && done && WaitForSingleObject(release, static_cast<DWORD>(kTimeoutMs)) == WAIT_OBJECT_0) {
            SetEvent(done);
            ExitProcess(0);
        }
        ExitProcess(3);
    }
    ExitProcess(4);
}

[[maybe_unused]] const bool kPlaysNoRole = [] {
    const std::wstring role = EnvironmentValue(kRoleVariable);
    if (!role.empty()) PlayRole(role);
    return true;
}();

// Sets an environment variable for the programs started while it lives.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

bool PollUntil(const std::function<bool()>& reached) {
    const ULONGLONG end = GetTickCount64() + kTimeoutMs;
    while (!reached()) {
        if (GetTickCount64() > end) return reached();
        Sleep(20);
    }
    return true;
}

// The lines of the received.txt the stand-in in `folder` writes; none when it
// does not appear in time.
std::vector<std::wstring> WaitForReceived(const std::wstring& folder) {
    const std::wstring file = folder + L"\\received.txt";
    if (!PollUntil([&] { return Exists(file); })) {
        ADD_FAILURE() << "no received.txt in " << ToUtf8(folder);
        return {};
    }
    std::vector<std::wstring> lines;
    const std::string bytes = ReadBytes(file);
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 1) {
        end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(FromUtf8(bytes.substr(start, end - start)));
    }
    return lines;
}

// Counts the processes this test program starts: it and all it starts belong
// to one job, which keeps the count.
class StartedProcesses {
public:
    StartedProcesses() : before_(Total()) {}
    long Since() const { return static_cast<long>(Total() - before_); }

private:
    static DWORD Total() {
        static const HANDLE job = [] {
            const HANDLE created = CreateJobObjectW(nullptr, nullptr);
            EXPECT_TRUE(created && AssignProcessToJobObject(created, GetCurrentProcess())) << "cannot count processes";
            return created;
        }();
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
        EXPECT_TRUE(QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr));
        return info.TotalProcesses;
    }
    DWORD before_;
};

std::wstring MakeFolder(const TestFolder& parent, const std::wstring& name) {
    const std::wstring path = parent / name;
    EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << ToUtf8(path);
    return path;
}

TEST(StartProgram, ArgumentsArriveExactlyAsChosen) {
    TestFolder folder(L"kx запуск");
    const std::wstring tools = MakeFolder(folder, L"My Tools Кравикс");
    CopyInto(StandIn(), tools, L"kravix.exe");
    const LaunchTexts texts = {tools + L"\\kravix.exe", folder / L"ROM images\\Супер игра (v1.1).nes",
                               folder / L"Tables\\main table.tbl", folder / L"Tables\\вторая таблица.tbl"};
    const std::wstring line = BuildCommandLine(texts);

    StartedProcesses started;
    win32::StartProgram(texts[0], line, StartedWindow::NormalWithFocus);
    const std::vector<std::wstring> received = WaitForReceived(tools);
    EXPECT_EQ(started.Since(), 1);
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0], line);
    EXPECT_EQ(received[1], texts[1]);
    EXPECT_EQ(received[2], texts[2]);
    EXPECT_EQ(received[3], texts[3]);
}

TEST(StartProgram, EmptySecondaryTableLeavesTwoArguments) {
    TestFolder folder(L"kx запуск");
    const std::wstring tools = MakeFolder(folder, L"My Tools");
    CopyInto(StandIn(), tools, L"kravix.exe");
    const LaunchTexts texts = {tools + L"\\kravix.exe", folder / L"game one.nes", folder / L"table one.tbl", L""};
    const std::wstring line = BuildCommandLine(texts);
    ASSERT_EQ(line.back(), L' ');

    win32::StartProgram(texts[0], line, StartedWindow::NormalWithFocus);
    const std::vector<std::wstring> received = WaitForReceived(tools);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0], line);
    EXPECT_EQ(received[1], texts[1]);
    EXPECT_EQ(received[2], texts[2]);
}

// Backslashes before a closing quote are where quoting usually goes wrong.
TEST(StartProgram, BackslashesAndBlanksSurviveTheSplit) {
    TestFolder folder;
    CopyInto(StandIn(), folder.path(), L"kravix.exe");
    const LaunchTexts texts = {folder / L"kravix.exe", L"D:\\ROM folder\\", L"D:\\a b\\\\", L"D:\\tab\there\\t.tbl"};
    const std::wstring line = BuildCommandLine(texts);

    win32::StartProgram(texts[0], line, StartedWindow::NormalWithFocus);
    const std::vector<std::wstring> received = WaitForReceived(folder.path());
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0], line);
    EXPECT_EQ(received[1], texts[1]);
    EXPECT_EQ(received[2], texts[2]);
    EXPECT_EQ(received[3], texts[3]);
}

// With only a command line, Windows would read "<folder>\My Tools\kravix.exe
// ..." as "<folder>\My.exe" with arguments, and start that if it exists.
TEST(StartProgram, StartsTheFullPathNotAProgramNamedByItsFirstWord) {
    TestFolder folder;
    CopyInto(StandIn(), folder.path(), L"My.exe");
    const std::wstring tools = MakeFolder(folder, L"My Tools");
    CopyInto(StandIn(), tools, L"kravix.exe");
    const std::wstring line = tools + L"\\kravix.exe game.nes";  // the first word unquoted on purpose

    win32::StartProgram(tools + L"\\kravix.exe", line, StartedWindow::NormalWithFocus);
    ASSERT_TRUE(PollUntil([&] { return Exists(tools + L"\\received.txt") || Exists(folder / L"received.txt"); }));
    ASSERT_FALSE(Exists(folder / L"received.txt")) << "My.exe was started";
    const std::vector<std::wstring> received = WaitForReceived(tools);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0], line);
}

// A copy of this test program, in a folder of its own with a kravix.exe
// beside it, starts "kravix.exe" from another current folder that holds a
// different kravix.exe.
TEST(StartProgram, BareNameIsFoundBesideTheLauncher) {
    TestFolder folder;
    const std::wstring launcher = MakeFolder(folder, L"Launcher");
    const std::wstring current = MakeFolder(folder, L"Current");
    CopyInto(ThisProgram(), launcher, L"launcher.exe");
    CopyInto(StandIn(), launcher, L"kravix.exe");
    CopyInto(StandIn(), current, L"kravix.exe");

    const std::wstring copy = launcher + L"\\launcher.exe";
    std::wstring line = L"\"" + copy + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    {
        ScopedVariable role(kRoleVariable, kStartByNameRole);
        ASSERT_TRUE(CreateProcessW(copy.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, current.c_str(),
                                   &startup, &process));
    }
    CloseHandle(process.hThread);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, static_cast<DWORD>(kTimeoutMs)), WAIT_OBJECT_0);
    DWORD status = 99;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    ASSERT_EQ(status, 0u) << "the launcher copy could not start kravix.exe";

    const std::vector<std::wstring> received = WaitForReceived(launcher);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0], L"kravix.exe started-by-name");
    EXPECT_FALSE(Exists(current + L"\\received.txt"));
}

// This test program is the launcher here: its own name is a bare name beside it.
TEST(ResolveProgram, BareNameBesideTheLauncherOrWhereWindowsLooks) {
    const std::wstring self = ThisProgram();
    EXPECT_EQ(win32::ResolveProgram(self.substr(self.find_last_of(L'\\') + 1)), self);
    const std::wstring notepad = win32::ResolveProgram(L"notepad.exe");
    const std::wstring name = notepad.substr(notepad.find_last_of(L'\\') + 1);
    EXPECT_NE(notepad.find(L":\\"), std::wstring::npos) << "a full path: " << ToUtf8(notepad);
    EXPECT_EQ(CompareStringOrdinal(name.c_str(), -1, L"notepad.exe", -1, TRUE), CSTR_EQUAL) << ToUtf8(notepad);
    EXPECT_TRUE(Exists(notepad)) << ToUtf8(notepad);
}

TEST(StartProgram, NothingToStartFailsAndStartsNothing) {
    TestFolder folder;
    CopyInto(StandIn(), folder.path(), L"kravix.exe");
    // Were the program ignored, this command line alone would start the stand-in.
    const std::wstring line = L"\"" + (folder / L"kravix.exe") + L"\" game.nes";
    const std::wstring missing = folder / L"missing\\kravix.exe";

    StartedProcesses started;
    EXPECT_THROW(win32::ResolveProgram(L""), PlatformFailure);
    EXPECT_THROW(win32::StartProgram(L"", line, StartedWindow::NormalWithFocus), PlatformFailure);
    EXPECT_THROW(win32::ResolveProgram(L"kx_no_such_program_anywhere.exe"), PlatformFailure);
    EXPECT_THROW(win32::StartProgram(L"kx_no_such_program_anywhere.exe", line, StartedWindow::NormalWithFocus), PlatformFailure);
    EXPECT_THROW(win32::StartProgram(folder.path(), line, StartedWindow::NormalWithFocus), PlatformFailure) << "a folder";
    try {
        win32::StartProgram(missing, line, StartedWindow::NormalWithFocus);
        ADD_FAILURE() << "a program that does not exist was started";
    } catch (const PlatformFailure& failure) {
        EXPECT_NE(failure.action.find(missing), std::wstring::npos) << "the message names the program";
        EXPECT_FALSE(failure.reason.empty());
    }
    EXPECT_EQ(started.Since(), 0);
}

// The started program runs until this test releases it, which happens only
// after StartProgram has returned: a start that waited would never see it end.
TEST(StartProgram, ReturnsWithoutWaitingForTheProgram) {
    const std::wstring name = L"kx_test " + std::to_wstring(GetCurrentProcessId()) + L" " +
                              std::to_wstring(GetTickCount64());
    const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, (name + L" release").c_str());
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, (name + L" done").c_str());
    ASSERT_TRUE(release && done);
    {
        ScopedVariable role(kRoleVariable, kWaitForReleaseRole + name);
        win32::StartProgram(ThisProgram(), L"\"" + ThisProgram() + L"\"", StartedWindow::NormalWithFocus);
    }
    SetEvent(release);
    EXPECT_EQ(WaitForSingleObject(done, static_cast<DWORD>(kTimeoutMs)), WAIT_OBJECT_0)
        << "the program had ended before StartProgram returned";
    CloseHandle(release);
    CloseHandle(done);
}

}  // namespace
