// What a failure inside each handler leads to: guarded handlers answer it,
// unguarded ones and answers end the program with a report.
#include <gtest/gtest.h>

#include "core/launch.h"
#include "core/window_flow.h"
#include "support/fake_platform.h"

namespace {

class Guard : public ::testing::Test {
protected:
    void SetUp() override {
        fake.programs = {L"C:\\k.exe"};
        fake.files[fake.ConfigPath()] = "\"C:\\k.exe\"\r\n";
    }
    bool EndedFatally() const { return fake.exitStatus == 1 && fake.fatal.has_value(); }

    FakePlatform fake;
};

}  // namespace

// Any failing step of the start-up read opens the setup window, silently.
TEST_F(Guard, StartUpReadFailureOpensSetup) {
    for (const char* step : {"ProgramDirectory", "OpenForInput", "ReadText", "CloseFile", "SetText"}) {
        FakePlatform run;
        run.files = fake.files;
        run.FailOn(step);
        run.Run({Check([&] { EXPECT_TRUE(run.IsModal(Form::Form2)) << step; }), CloseBox(Form::Form2)});
        EXPECT_TRUE(run.messages.empty()) << step;
        EXPECT_FALSE(run.fatal) << step;
        EXPECT_TRUE(run.IsVisible(Form::Form1)) << step;
    }
}

TEST_F(Guard, FailingToOpenSetupAtStartUpIsFatal) {
    fake.files.clear();
    fake.FailOn("ShowWindow");
    fake.Run({});
    EXPECT_TRUE(EndedFatally());
}

// After F12 and the main window's close, OK reloads the main window; if its
// start-up read then fails, the setup window cannot be shown modally again.
TEST_F(Guard, StartUpReadAnswerInTheReloadIsFatal) {
    fake.FailOn("OpenForInput", 2);
    fake.Run({KeyDown(Form1::Text1, kKeyF12), CloseBox(Form::Form1), Click(Form2::Command1), Accept(L"C:\\k.exe"),
              Click(Form2::Command2)});
    EXPECT_TRUE(EndedFatally());
}

TEST_F(Guard, BrowseFailuresAreIgnored) {
    fake.FailOn("ShowOpen");
    fake.FailOn("SetText", 2);  // the first fills the program path
    fake.Run({Click(Form1::Command1), Click(Form1::Command2), Accept(L"C:\\a.tbl"), Click(Form1::Command3),
              Accept(L"C:\\b.tbl")});
    EXPECT_EQ(fake.TextOf(Form1::Text2), L"");
    EXPECT_EQ(fake.TextOf(Form1::Text3), L"");
    EXPECT_EQ(fake.TextOf(Form1::Text4), L"C:\\b.tbl");
    EXPECT_FALSE(fake.exitStatus);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Guard, SetupBrowseKeepsWhatWasDoneBeforeItsFailure) {
    fake.FailOn("GetText");
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(L"D:\\k.exe")});
    EXPECT_EQ(fake.TextOf(Form2::Text1), L"D:\\k.exe");
    EXPECT_EQ(fake.app.form2.ChosenPath, L"");
    EXPECT_FALSE(fake.exitStatus);
}

TEST_F(Guard, ReadingTheBoxesForALaunchFailsWithTheLaunchMessage) {
    fake.FailOn("GetText", 3);
    fake.Run({Click(Form1::Command4)});
    EXPECT_TRUE(fake.started.empty());
    EXPECT_EQ(fake.messages, std::vector<std::wstring>{kLaunchFailureMessage});
    EXPECT_EQ(fake.focus, Form1::Text1);
}

TEST_F(Guard, FailuresInTheLaunchAnswerAreFatal) {
    for (const char* step : {"ShowMessage", "SetFocus"}) {
        FakePlatform run;
        run.files = fake.files;
        run.FailOn(step);
        run.Run({Click(Form1::Command4)});
        EXPECT_EQ(run.exitStatus, 1) << step;
        EXPECT_TRUE(run.fatal) << step;
    }
}

TEST_F(Guard, F12FailureIsFatal) {
    fake.FailOn("ShowWindow", 2);  // the first shows the main window
    fake.Run({KeyDown(Form1::Text1, kKeyF12)});
    EXPECT_TRUE(EndedFatally());
}

TEST_F(Guard, FailedSaveIsFatalAndKeepsTheSavedPath) {
    fake.FailOn("WriteText");
    fake.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(L"D:\\new.exe"), Click(Form2::Command2)});
    EXPECT_TRUE(EndedFatally());
    ASSERT_TRUE(fake.fatal);
    EXPECT_NE(fake.fatal->action.find(fake.ConfigPath()), std::wstring::npos) << "the report names the file";
    EXPECT_EQ(fake.files[fake.ConfigPath()], "\"C:\\k.exe\"\r\n");
    EXPECT_EQ(fake.files.size(), 1u);
}

// The start-up read's guard is waiting in its answer while the modal setup
// window runs; a failure in the setup window's OK is that OK's own, and fatal.
TEST_F(Guard, NoGuardCoversHandlersInsideTheModalWindow) {
    fake.files.clear();
    fake.FailOn("MoveIntoPlace");
    fake.Run({Click(Form2::Command1), Accept(L"D:\\new.exe"), Click(Form2::Command2)});
    EXPECT_TRUE(EndedFatally());
    EXPECT_FALSE(fake.IsVisible(Form::Form1));
    EXPECT_TRUE(fake.files.empty());
}

TEST_F(Guard, EveryStepOfTheSetupOkIsUnguarded) {
    for (const char* step : {"UnloadWindow", "SetText"}) {
        FakePlatform run;
        run.files = fake.files;
        // SetText runs at start-up and in the browse before the OK.
        run.FailOn(step, step == std::string("SetText") ? 3 : 1);
        run.Run({KeyDown(Form1::Text1, kKeyF12), Click(Form2::Command1), Accept(L"D:\\new.exe"),
                 Click(Form2::Command2)});
        EXPECT_EQ(run.exitStatus, 1) << step;
    }
}
