// A run as the user lives it, on the in-memory desktop: every state of the
// two windows and what each event leads to.
#include <gtest/gtest.h>

#include "core/launch.h"
#include "core/window_flow.h"
#include "support/fake_platform.h"

namespace {

const std::wstring kKravix = L"C:\\Tools\\kravix.exe";
const std::wstring kOther = L"D:\\Emu\\kravix.exe";

class WindowFlow : public ::testing::Test {
protected:
    void SetUp() override {
        fake.programs = {kKravix, kOther};
        fake.files[fake.ConfigPath()] = "\"C:\\Tools\\kravix.exe\"\r\n";
    }
    std::string Saved() { return fake.files[fake.ConfigPath()]; }
    bool Ended() const { return fake.exitStatus.has_value(); }

    FakePlatform fake;
};

// Browse the setup window to `path` and confirm it.
std::vector<UserStep> ChooseProgram(const std::wstring& path) {
    return {Click(Form2::Command1), Accept(path), Click(Form2::Command2)};
}

}  // namespace

TEST_F(WindowFlow, SavedPathFillsTheMainWindow) {
    fake.Run({});
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_EQ(fake.TextOf(Form1::Text1), kKravix);
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, EmptySavedPathOpensTheMainWindowWithoutSetup) {
    fake.files[fake.ConfigPath()] = "\"\"\r\n";
    fake.Run({});
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_EQ(fake.TextOf(Form1::Text1), L"");
}

TEST_F(WindowFlow, TypicalRunStartsKravixAndEnds) {
    fake.Run({Click(Form1::Command1), Accept(L"C:\\ROMs\\Super Game.nes"), Click(Form1::Command2),
              Accept(L"C:\\t\\main.tbl"), Click(Form1::Command3), Accept(L"C:\\t\\extra.tbl"),
              Click(Form1::Command4)});
    ASSERT_EQ(fake.started.size(), 1u);
    EXPECT_EQ(fake.started[0].program, kKravix);
    EXPECT_EQ(fake.started[0].commandLine, L"C:\\Tools\\kravix.exe \"C:\\ROMs\\Super Game.nes\" C:\\t\\main.tbl C:\\t\\extra.tbl");
    EXPECT_EQ(fake.started[0].style, kNormalFocus);
    EXPECT_EQ(fake.exitStatus, 0);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(WindowFlow, BrowseCancelKeepsTheBoxAndTheDialogRemembersItsChoice) {
    fake.Run({Click(Form1::Command1), CancelDialog(),
              Check([&] { EXPECT_EQ(fake.TextOf(Form1::Text2), L""); }),
              Click(Form1::Command1), Accept(L"C:\\a.nes"),
              Click(Form1::Command1), CancelDialog()});
    EXPECT_EQ(fake.TextOf(Form1::Text2), L"C:\\a.nes");
    EXPECT_EQ(fake.TextOf(Form1::Text3), L"");
}

TEST_F(WindowFlow, NoConfigurationFileAsksForThePathFirst) {
    fake.files.clear();
    fake.Run({Check([&] {
                  EXPECT_TRUE(fake.IsModal(Form::Form2));
                  EXPECT_TRUE(fake.IsLoaded(Form::Form1));
                  EXPECT_FALSE(fake.IsVisible(Form::Form1)) << "the main window waits for the setup window";
              }),
              Click(Form2::Command1), Accept(kOther), Click(Form2::Command2)});
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_EQ(fake.TextOf(Form1::Text1), kOther);
}

TEST_F(WindowFlow, SetupCancelAtStartUpEndsAndWritesNothing) {
    fake.files.clear();
    fake.Run({Click(Form2::Command1), Accept(kOther), Click(Form2::Command3)});
    EXPECT_EQ(fake.exitStatus, 0);
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(WindowFlow, SetupCloseBoxAtStartUpShowsAnEmptyMainWindow) {
    fake.files.clear();
    fake.Run({Click(Form2::Command1), Accept(kOther), CloseBox(Form::Form2)});
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
    EXPECT_EQ(fake.TextOf(Form1::Text1), L"");
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(WindowFlow, ZeroLengthFileIsReplacedBySetup) {
    fake.files[fake.ConfigPath()] = "";
    fake.Run(ChooseProgram(kOther));
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
}

TEST_F(WindowFlow, FailedLaunchTellsTheUserAndKeepsTheWindow) {
    fake.programs.clear();
    fake.Run({Click(Form1::Command1), Accept(L"C:\\a.nes"), Click(Form1::Command4)});
    EXPECT_EQ(fake.messages, std::vector<std::wstring>{kLaunchFailureMessage});
    EXPECT_EQ(fake.focus, Form1::Text1);
    EXPECT_EQ(fake.TextOf(Form1::Text1), kKravix);
    EXPECT_EQ(fake.TextOf(Form1::Text2), L"C:\\a.nes");
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, EmptyProgramPathFailsInsteadOfStartingTheRom) {
    fake.files[fake.ConfigPath()] = "\"\"\r\n";
    fake.programs.insert(L"");
    fake.Run({Click(Form1::Command1), Accept(L"C:\\a.nes"), Click(Form1::Command4)});
    // The fake would start "" if asked; the point is that the ROM is never
    // taken for the program.
    for (const auto& start : fake.started) EXPECT_NE(start.program, L"C:\\a.nes");
}

TEST_F(WindowFlow, MainCancelAndCloseBoxEndTheProgram) {
    fake.Run({Click(Form1::Command5)});
    EXPECT_EQ(fake.exitStatus, 0);

    FakePlatform closing;
    closing.files = fake.files;
    closing.Run({CloseBox(Form::Form1)});
    EXPECT_EQ(closing.exitStatus, 0);
    EXPECT_TRUE(closing.started.empty());
}

TEST_F(WindowFlow, F12OpensAnEmptySetupWindowBesideTheMainOne) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12),
              Check([&] {
                  EXPECT_TRUE(fake.IsVisible(Form::Form2));
                  EXPECT_FALSE(fake.IsModal(Form::Form2));
                  EXPECT_EQ(fake.TextOf(Form2::Text1), L"") << "it does not show the current path";
              }),
              // Both windows take input.
              Click(Form1::Command1), Accept(L"C:\\a.nes")});
    EXPECT_EQ(fake.TextOf(Form1::Text2), L"C:\\a.nes");
}

TEST_F(WindowFlow, F12OnlyInTheProgramPathBoxAndNoOtherKey) {
    fake.Run({KeyDown(Form1::Text2, kKeyF12), KeyDown(Form1::Command4, kKeyF12), KeyDown(Form1::Text1, 122),
              KeyDown(Form1::Text1, 13)});
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, F12AgainBringsTheSetupWindowForwardUnchanged) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(kOther),
              KeyDown(Form1::Text1, kKeyF12)});
    EXPECT_EQ(fake.frontmost, Form::Form2);
    EXPECT_EQ(fake.TextOf(Form2::Text1), kOther);
}

TEST_F(WindowFlow, SetupOkAfterF12SavesAndFillsTheMainWindow) {
    std::vector<UserStep> script{KeyDown(Form1::Text1, kKeyF12)};
    for (auto& step : ChooseProgram(kOther)) script.push_back(step);
    fake.Run(script);
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(Form1::Text1), kOther);
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
}

TEST_F(WindowFlow, MainOkWithSetupOpenUsesTheMainWindowsPath) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(kOther), Click(Form1::Command4)});
    ASSERT_EQ(fake.started.size(), 1u);
    EXPECT_EQ(fake.started[0].program, kKravix);
}

TEST_F(WindowFlow, FailedLaunchWithSetupOpenKeepsBoth) {
    fake.programs.clear();
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form1::Command4)});
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.focus, Form1::Text1);
    EXPECT_TRUE(fake.IsVisible(Form::Form2));
}

TEST_F(WindowFlow, CancelInEitherWindowEndsTheWholeProgram) {
    for (const Control cancel : {Form1::Command5, Form2::Command3}) {
        FakePlatform run;
        run.files = fake.files;
        run.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(kOther), Click(cancel)});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.files[run.ConfigPath()], "\"C:\\Tools\\kravix.exe\"\r\n");
    }
}

TEST_F(WindowFlow, SetupCloseBoxWritesNothingButChosenPathSurvives) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(kOther), CloseBox(Form::Form2),
              Check([&] { EXPECT_EQ(fake.TextOf(Form1::Text1), kKravix); }),
              KeyDown(Form1::Text1, kKeyF12),
              Check([&] {
                  EXPECT_EQ(fake.TextOf(Form2::Text1), L"") << "a new load starts empty";
                  EXPECT_EQ(fake.app.form2.ChosenPath, kOther);
              }),
              // The dialog starts again from its initial name: a cancel now gives that.
              Click(Form2::Command1), CancelDialog()});
    EXPECT_EQ(fake.TextOf(Form2::Text1), L"kravix.exe");
    EXPECT_EQ(fake.app.form2.ChosenPath, L"kravix.exe");
    EXPECT_EQ(Saved(), "\"C:\\Tools\\kravix.exe\"\r\n");
}

TEST_F(WindowFlow, CancelledFirstBrowseConfirmsTheBareName) {
    fake.files.clear();
    fake.Run({Click(Form2::Command1), CancelDialog(), Click(Form2::Command2)});
    EXPECT_EQ(Saved(), "\"kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(Form1::Text1), L"kravix.exe");
}

// With nothing browsed since the window was loaded there is no new choice:
// the saved path and the main window's box stay as they were.
TEST_F(WindowFlow, SetupOkWithAnEmptyBoxChangesNothing) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command2)});
    EXPECT_EQ(Saved(), "\"C:\\Tools\\kravix.exe\"\r\n");
    EXPECT_EQ(fake.TextOf(Form1::Text1), kKravix);
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_TRUE(fake.IsVisible(Form::Form1));

    FakePlatform startUp;
    startUp.Run({Click(Form2::Command2)});
    EXPECT_TRUE(startUp.files.empty());
    EXPECT_TRUE(startUp.IsVisible(Form::Form1));
    EXPECT_FALSE(startUp.IsLoaded(Form::Form2));
}

TEST_F(WindowFlow, SetupAloneReloadsTheMainWindowOnOk) {
    fake.Run({Click(Form1::Command1), Accept(L"C:\\a.nes"), KeyDown(Form1::Text1, kKeyF12), CloseBox(Form::Form1),
              Check([&] {
                  EXPECT_FALSE(fake.IsLoaded(Form::Form1));
                  EXPECT_TRUE(fake.IsVisible(Form::Form2));
              }),
              Click(Form2::Command1), Accept(kOther), Click(Form2::Command2)});
    EXPECT_EQ(Saved(), "\"D:\\Emu\\kravix.exe\"\r\n");
    EXPECT_TRUE(fake.IsVisible(Form::Form1));
    EXPECT_EQ(fake.TextOf(Form1::Text1), kOther);
    EXPECT_EQ(fake.TextOf(Form1::Text2), L"") << "fresh boxes after the reload";
    EXPECT_FALSE(fake.IsLoaded(Form::Form2));
    EXPECT_FALSE(Ended());
}

TEST_F(WindowFlow, SetupAloneCancelOrCloseEnds) {
    fake.Run({KeyDown(Form1::Text1, kKeyF12), CloseBox(Form::Form1), Click(Form2::Command3)});
    EXPECT_EQ(fake.exitStatus, 0);

    FakePlatform closing;
    closing.files = fake.files;
    closing.Run({KeyDown(Form1::Text1, kKeyF12), CloseBox(Form::Form1), CloseBox(Form::Form2)});
    EXPECT_EQ(closing.exitStatus, 0);
    EXPECT_EQ(closing.files, fake.files);
}
