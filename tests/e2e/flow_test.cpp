// kx_shell.exe as a user drives it: the real windows, the real file dialogs,
// the real kravix.exe start (the stand-in records what it was given).
#include <gtest/gtest.h>

#include "core/launch.h"
#include "e2e/driver.h"
#include "core/controls.h"

using namespace e2e;

namespace {

constexpr wchar_t kRomTitle[] = L"Открытие РОМа";
constexpr wchar_t kPrimaryTitle[] = L"Открытие первичной таблицы";
constexpr wchar_t kSecondaryTitle[] = L"Открытие вторичной таблицы(необязательно)";
constexpr wchar_t kProgramTitle[] = L"открытие";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// A file the dialogs can choose (they insist that it exists).
std::wstring MakeFile(const Launcher& app, const std::wstring& name) {
    const std::wstring path = app / name;
    WriteBytes(path, "data");
    return path;
}

// A second copy of the stand-in, to tell a new choice from the saved one.
std::wstring OtherKravix(const Launcher& app) {
    const std::wstring folder = app / L"другая копия";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyInto(app.kravixPath(), folder, L"kravix.exe");
    return folder + L"\\kravix.exe";
}

HWND OpenSetupWithF12(const Launcher& app, HWND main) {
    PressKey(Item(main, MainWindow::ProgramPathBox.id), VK_F12);
    return app.SetupWindow();
}

// The setup window that opens for want of a configuration file, with the
// stand-in chosen in it; null when any step failed.
HWND SetupAtStartUpWithAChoice(Launcher& app) {
    const HWND setup = app.SetupWindow();
    if (!setup || !app.Browse(setup, SetupWindow::BrowseButton.id, kProgramTitle, app.kravixPath())) return nullptr;
    return WaitText(setup, SetupWindow::ProgramPathBox.id, app.kravixPath()) == app.kravixPath() ? setup : nullptr;
}

struct BothWindows {
    HWND main = nullptr;
    HWND setup = nullptr;    // null when any step failed
    std::wstring chosen;     // what was browsed in the setup window, if asked
};

// The main window, and the setup window opened beside it with F12; with
// `browse`, a second kravix.exe chosen in the setup window.
BothWindows OpenBoth(Launcher& app, bool browse) {
    BothWindows both;
    both.main = app.MainWindow();
    if (!both.main) return both;
    both.setup = OpenSetupWithF12(app, both.main);
    if (both.setup && browse) {
        both.chosen = OtherKravix(app);
        if (!app.Browse(both.setup, SetupWindow::BrowseButton.id, kProgramTitle, both.chosen) ||
            WaitText(both.setup, SetupWindow::ProgramPathBox.id, both.chosen) != both.chosen) {
            both.setup = nullptr;
        }
    }
    return both;
}

}  // namespace

TEST(Flow, TypicalRunStartsKravixWithTheChosenFilesAndEnds) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const std::wstring primary = MakeFile(app, L"main table.tbl");
    const std::wstring secondary = MakeFile(app, L"вторая.tbl");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), app.kravixPath()) << "the saved path beside kx_shell.exe, not the decoy";

    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    EXPECT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowsePrimaryTableButton.id, kPrimaryTitle, primary));
    EXPECT_EQ(WaitText(main, MainWindow::PrimaryTableBox.id, primary), primary);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseSecondaryTableButton.id, kSecondaryTitle, secondary));
    EXPECT_EQ(WaitText(main, MainWindow::SecondaryTableBox.id, secondary), secondary);

    Click(main, MainWindow::OkButton.id);
    const auto received = app.WaitReceived();
    ASSERT_TRUE(received) << "kravix.exe was not started";
    EXPECT_EQ(received->arguments, (std::vector<std::wstring>{rom, primary, secondary}));
    EXPECT_EQ(received->commandLine, Quoted(app.kravixPath()) + L" " + Quoted(rom) + L" " + Quoted(primary) + L" " +
                                         Quoted(secondary));
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_EQ(app.iniBytes(), savedIni);
}

TEST(Flow, SecondaryTableIsOptional) {
    Launcher app;
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const std::wstring primary = MakeFile(app, L"main table.tbl");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowsePrimaryTableButton.id, kPrimaryTitle, primary));
    ASSERT_EQ(WaitText(main, MainWindow::PrimaryTableBox.id, primary), primary);

    Click(main, MainWindow::OkButton.id);
    const auto received = app.WaitReceived();
    ASSERT_TRUE(received) << "kravix.exe was not started";
    EXPECT_EQ(received->arguments, (std::vector<std::wstring>{rom, primary}));
    EXPECT_EQ(app.WaitExit(), DWORD{0});
}

TEST(Flow, BrowseCancelKeepsTheBoxAndTheDialogStartsFromThePreviousChoice) {
    Launcher app;
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);

    Click(main, MainWindow::BrowseRomButton.id);
    HWND dialog = app.WaitFileDialog(kRomTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileNameField(dialog), L"");
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::RomBox.id), L"");

    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    ASSERT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);

    Click(main, MainWindow::BrowseRomButton.id);
    dialog = app.WaitFileDialog(kRomTitle);
    ASSERT_NE(dialog, nullptr);
    // Windows and Wine both open the folder of a full path and show only
    // the file's name in the field.
    const std::wstring field = FileNameField(dialog);
    EXPECT_TRUE(field == rom || field == L"Моя игра.nes") << "the field holds \"" << ToUtf8(field) << "\"";
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::RomBox.id), rom) << "a cancel keeps the previous choice";

    // Each dialog remembers its own choice.
    Click(main, MainWindow::BrowsePrimaryTableButton.id);
    dialog = app.WaitFileDialog(kPrimaryTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileNameField(dialog), L"");
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::PrimaryTableBox.id), L"");
}

TEST(Flow, NoConfigurationFileAsksForTheProgramFirstAndSavesIt) {
    Launcher app(Ini::Absent);
    const HWND setup = app.SetupWindow();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(app.Windows(), std::vector<HWND>{setup}) << "the setup window comes alone";
    EXPECT_EQ(TextOf(setup, SetupWindow::ProgramPathBox.id), L"");

    Click(setup, SetupWindow::BrowseButton.id);
    const HWND dialog = app.WaitFileDialog(kProgramTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileNameField(dialog), L"kravix.exe");
    ASSERT_TRUE(SetFileNameField(dialog, app.kravixPath()));
    PressDialogButton(dialog, IDOK);
    ASSERT_EQ(WaitText(setup, SetupWindow::ProgramPathBox.id, app.kravixPath()), app.kravixPath());
    EXPECT_FALSE(app.iniExists()) << "nothing is saved before OK";

    Click(setup, SetupWindow::OkButton.id);
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WaitText(main, MainWindow::ProgramPathBox.id, app.kravixPath()), app.kravixPath());
    EXPECT_TRUE(WaitGone(setup));
    EXPECT_EQ(app.Windows(), std::vector<HWND>{main});
    // The folder's name has Cyrillic letters: code page 1251 holds them, so no UTF-8 mark.
    EXPECT_EQ(GetACP(), 1251u) << "the test runs under the Russian code page";
    EXPECT_EQ(app.iniBytes(), IniRecord(app.kravixPath()));
    EXPECT_EQ(app.iniBytes().substr(0, 1), "\"");
    EXPECT_TRUE(app.Running());
}

TEST(Flow, APathOutsideTheCodePageIsSavedAsUtf8AndReadBack) {
    Launcher app({Ini::Absent, {}, L"ツール ∞"});
    const HWND setup = app.SetupWindow();
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(app.Browse(setup, SetupWindow::BrowseButton.id, kProgramTitle, app.kravixPath()));
    ASSERT_EQ(WaitText(setup, SetupWindow::ProgramPathBox.id, app.kravixPath()), app.kravixPath());
    Click(setup, SetupWindow::OkButton.id);
    HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(app.iniBytes(), "\xEF\xBB\xBF\"" + ToUtf8(app.kravixPath()) + "\"\r\n");

    Click(main, MainWindow::CancelButton.id);
    ASSERT_EQ(app.WaitExit(), DWORD{0});
    app.Start();
    main = app.MainWindow();
    ASSERT_NE(main, nullptr) << "the saved file is read at the next start";
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), app.kravixPath());
}

TEST(Flow, F12InTheProgramPathBoxOpensTheSetupWindowBesideTheMainOne) {
    Launcher app;
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    const HWND setup = OpenSetupWithF12(app, main);
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowEnabled(setup)) << "modeless: both take input";
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(TextOf(setup, SetupWindow::ProgramPathBox.id), L"") << "it does not show the current path";

    // Both windows take input indeed.
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    EXPECT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);
    const std::wstring other = OtherKravix(app);
    ASSERT_TRUE(app.Browse(setup, SetupWindow::BrowseButton.id, kProgramTitle, other));
    ASSERT_EQ(WaitText(setup, SetupWindow::ProgramPathBox.id, other), other);

    // F12 again, with the main window in front: the same setup window comes forward.
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; })) << "Wine did not bring the main window forward";
    PressKey(Item(main, MainWindow::ProgramPathBox.id), VK_F12);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == setup; })) << "the setup window did not come forward";
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(app.Windows().size(), 2u) << "one main and one setup window";
    EXPECT_TRUE(IsWindow(setup));
    EXPECT_EQ(TextOf(setup, SetupWindow::ProgramPathBox.id), other) << "its box stays as it was";
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), app.kravixPath());
}

TEST(Flow, F12ElsewhereAndOtherKeysDoNothing) {
    Launcher app;
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    PressKey(Item(main, MainWindow::RomBox.id), VK_F12);
    PressKey(Item(main, MainWindow::OkButton.id), VK_F12);
    PressKey(Item(main, MainWindow::ProgramPathBox.id), VK_F11);
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(app.Find(kSetupCaption), nullptr);
    EXPECT_EQ(app.Windows(), std::vector<HWND>{main});
    EXPECT_TRUE(app.Running());
}

TEST(Flow, FailedLaunchShowsTheStopMessageAndKeepsTheWindow) {
    const std::wstring missing = L"C:\\нет такой папки\\kravix.exe";
    Launcher app({Ini::Custom, IniRecord(missing)});
    const std::string savedIni = app.iniBytes();
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), missing);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    ASSERT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);

    Click(main, MainWindow::OkButton.id);
    const auto box = app.WaitMessageBox();
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->text, kLaunchFailureMessage);
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK}) << "only an OK button";
    EXPECT_TRUE(WaitUntil([&] { return ShowsIcon(Item(box->hwnd, 0x440), LoadIcon(nullptr, IDI_HAND)); }))
        << "the stop icon";
    EXPECT_FALSE(ShowsIcon(Item(box->hwnd, 0x440), LoadIcon(nullptr, IDI_WARNING))) << "the comparison tells icons apart";
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input while the message is up";

    PressDialogButton(box->hwnd, IDOK);
    ASSERT_TRUE(WaitGone(box->hwnd));
    EXPECT_TRUE(WaitUntil([&] { return app.Focus() == Item(main, MainWindow::ProgramPathBox.id); }))
        << "the focus is on control " << GetDlgCtrlID(app.Focus()) << ", not on the program path";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), missing);
    EXPECT_EQ(TextOf(main, MainWindow::RomBox.id), rom);
    EXPECT_EQ(app.iniBytes(), savedIni);
}

TEST(Flow, MainCancelEndsAndWritesNothing) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    Click(main, MainWindow::CancelButton.id);
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_EQ(app.iniBytes(), savedIni);
    EXPECT_FALSE(Exists(app / L"received.txt")) << "kravix.exe was started";
}

TEST(Flow, MainCloseBoxEnds) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    CloseBox(main);
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_EQ(app.iniBytes(), savedIni);
}

TEST(Flow, SetupCancelAtStartUpEndsAndWritesNothing) {
    Launcher app(Ini::Absent);
    const HWND setup = SetupAtStartUpWithAChoice(app);
    ASSERT_NE(setup, nullptr);
    Click(setup, SetupWindow::CancelButton.id);
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_FALSE(app.iniExists());
}

TEST(Flow, SetupCancelAfterF12EndsAndWritesNothing) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const BothWindows both = OpenBoth(app, true);
    ASSERT_NE(both.setup, nullptr);
    Click(both.setup, SetupWindow::CancelButton.id);
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_EQ(app.iniBytes(), savedIni);
}

TEST(Flow, SetupCloseBoxAtStartUpShowsAnEmptyMainWindow) {
    Launcher app(Ini::Absent);
    const HWND setup = SetupAtStartUpWithAChoice(app);
    ASSERT_NE(setup, nullptr);
    CloseBox(setup);
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), L"");
    EXPECT_EQ(app.Windows(), std::vector<HWND>{main});
    EXPECT_FALSE(app.iniExists());
}

TEST(Flow, MainCloseBoxWithSetupOpenLeavesItAloneAndItsOkBringsAFreshMainWindow) {
    Launcher app;
    const std::wstring rom = MakeFile(app, L"Моя игра.nes");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, kRomTitle, rom));
    ASSERT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);
    const HWND setup = OpenSetupWithF12(app, main);
    ASSERT_NE(setup, nullptr);

    CloseBox(main);
    ASSERT_TRUE(WaitGone(main));
    ASSERT_TRUE(Flush(Item(setup, SetupWindow::CancelButton.id)));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(app.Windows(), std::vector<HWND>{setup}) << "the setup window stays alone";

    const std::wstring other = OtherKravix(app);
    ASSERT_TRUE(app.Browse(setup, SetupWindow::BrowseButton.id, kProgramTitle, other));
    ASSERT_EQ(WaitText(setup, SetupWindow::ProgramPathBox.id, other), other);
    Click(setup, SetupWindow::OkButton.id);
    const HWND fresh = app.MainWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(WaitText(fresh, MainWindow::ProgramPathBox.id, other), other);
    EXPECT_EQ(TextOf(fresh, MainWindow::RomBox.id), L"") << "fresh boxes";
    EXPECT_EQ(TextOf(fresh, MainWindow::PrimaryTableBox.id), L"");
    EXPECT_EQ(TextOf(fresh, MainWindow::SecondaryTableBox.id), L"");
    EXPECT_TRUE(WaitGone(setup));
    EXPECT_EQ(app.iniBytes(), IniRecord(other));
}

TEST(Flow, SetupOkWithAnEmptyBoxChangesNothing) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    const HWND setup = OpenSetupWithF12(app, main);
    ASSERT_NE(setup, nullptr);
    Click(setup, SetupWindow::OkButton.id);
    EXPECT_TRUE(WaitGone(setup));
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), app.kravixPath());
    EXPECT_EQ(app.iniBytes(), savedIni);
    EXPECT_EQ(app.Windows(), std::vector<HWND>{main});
}

TEST(Flow, SetupOkWithAnEmptyBoxAtStartUpShowsAnEmptyMainWindow) {
    Launcher app(Ini::Absent);
    const HWND setup = app.SetupWindow();
    ASSERT_NE(setup, nullptr);
    Click(setup, SetupWindow::OkButton.id);
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitGone(setup));
    ASSERT_TRUE(Flush(Item(main, MainWindow::CancelButton.id)));
    EXPECT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), L"");
    EXPECT_FALSE(app.iniExists());
}

// CreateProcess without an application name would try "...\My.exe" first;
// the decoy beside "My Tools" is a stand-in too, so running it would show.
// (Wine then quotes the name it found in the line it passes on, so the
// command line alone would not show that fault.)
TEST(Flow, ProgramPathWithSpacesRunsTheRealProgram) {
    Launcher app({Ini::KravixPath, {}, L"My Tools"});
    CopyInto(app.kravixPath(), app.folder(), L"My.exe");
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(TextOf(main, MainWindow::ProgramPathBox.id), app.kravixPath());
    Click(main, MainWindow::OkButton.id);
    const std::wstring decoyRecord = app / L"received.txt";
    ASSERT_TRUE(WaitUntil([&] { return Exists(app / L"My Tools\\received.txt") || Exists(decoyRecord); }))
        << "no program was started";
    EXPECT_FALSE(Exists(decoyRecord)) << "the decoy My.exe ran";
    const auto received = app.WaitReceived(app / L"My Tools");
    ASSERT_TRUE(received) << "kravix.exe in \"My Tools\" was not started";
    EXPECT_EQ(received->commandLine.substr(0, app.kravixPath().size() + 2), Quoted(app.kravixPath()));
    EXPECT_EQ(app.WaitExit(), DWORD{0});
}

TEST(Flow, TabMovesThroughTheMainWindowInOrder) {
    Launcher app;
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return app.Focus() == Item(main, MainWindow::ProgramPathBox.id); }))
        << "the focus starts on control " << GetDlgCtrlID(app.Focus());
    const std::vector<int> expected{102, 201, 103, 202, 104, 203, 204, 205, 101};
    std::vector<int> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const HWND from = app.Focus();
        PressKey(from, VK_TAB);
        WaitUntil([&] { return app.Focus() != from; });
        visited.push_back(GetDlgCtrlID(app.Focus()));
    }
    EXPECT_EQ(visited, expected);
}

// The rows of "main window with the setup window beside it" not covered above.

TEST(Flow, WithSetupOpenMainOkLaunchesTheMainWindowsPath) {
    Launcher app;
    const BothWindows both = OpenBoth(app, true);
    ASSERT_NE(both.setup, nullptr);
    Click(both.main, MainWindow::OkButton.id);
    EXPECT_TRUE(app.WaitReceived()) << "the program of the main window's box started";
    EXPECT_EQ(app.WaitExit(), DWORD{0});
    EXPECT_FALSE(Exists(both.chosen.substr(0, both.chosen.find_last_of(L'\\')) + L"\\received.txt"));
}

TEST(Flow, WithSetupOpenAFailedLaunchKeepsBothWindows) {
    Launcher app({Ini::Custom, IniRecord(L"C:\\нет такой папки\\kravix.exe")});
    const BothWindows both = OpenBoth(app, false);
    ASSERT_NE(both.setup, nullptr);
    Click(both.main, MainWindow::OkButton.id);
    const auto box = app.WaitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsWindowEnabled(both.setup)) << "no window of the launcher takes input while the message is up";
    PressDialogButton(box->hwnd, IDOK);
    ASSERT_TRUE(WaitGone(box->hwnd));
    EXPECT_TRUE(WaitUntil([&] { return app.Focus() == Item(both.main, MainWindow::ProgramPathBox.id); }));
    EXPECT_TRUE(IsWindowVisible(both.setup) && IsWindowEnabled(both.setup));
    EXPECT_TRUE(app.Running());
}

TEST(Flow, SetupOkAfterF12SavesTheChoiceAndFillsTheMainWindow) {
    Launcher app;
    const BothWindows both = OpenBoth(app, true);
    ASSERT_NE(both.setup, nullptr);
    Click(both.setup, SetupWindow::OkButton.id);
    EXPECT_TRUE(WaitGone(both.setup));
    EXPECT_EQ(WaitText(both.main, MainWindow::ProgramPathBox.id, both.chosen), both.chosen);
    EXPECT_EQ(app.iniBytes(), IniRecord(both.chosen));
    EXPECT_TRUE(app.Running());
}

TEST(Flow, SetupCloseBoxAfterF12WritesNothingAndTheNextF12StartsEmpty) {
    Launcher app;
    const std::string savedIni = app.iniBytes();
    const BothWindows both = OpenBoth(app, true);
    ASSERT_NE(both.setup, nullptr);
    CloseBox(both.setup);
    ASSERT_TRUE(WaitGone(both.setup));
    EXPECT_EQ(TextOf(both.main, MainWindow::ProgramPathBox.id), app.kravixPath());
    EXPECT_EQ(app.iniBytes(), savedIni);
    const HWND again = OpenSetupWithF12(app, both.main);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(TextOf(again, SetupWindow::ProgramPathBox.id), L"");
}

TEST(Flow, MainCancelWithSetupOpenEnds) {
    Launcher app;
    const BothWindows both = OpenBoth(app, false);
    ASSERT_NE(both.setup, nullptr);
    Click(both.main, MainWindow::CancelButton.id);
    EXPECT_EQ(app.WaitExit(), DWORD{0});
}

TEST(Flow, SetupAloneEndsOnCancelOrItsCloseBox) {
    for (const bool cancel : {true, false}) {
        Launcher app;
        const std::string savedIni = app.iniBytes();
        const BothWindows both = OpenBoth(app, false);
        ASSERT_NE(both.setup, nullptr);
        CloseBox(both.main);
        ASSERT_TRUE(WaitGone(both.main));
        if (cancel) {
            Click(both.setup, SetupWindow::CancelButton.id);
        } else {
            CloseBox(both.setup);
        }
        EXPECT_EQ(app.WaitExit(), DWORD{0}) << (cancel ? "Cancel" : "close box");
        EXPECT_EQ(app.iniBytes(), savedIni);
    }
}
