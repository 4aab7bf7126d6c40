// kravix.exe may be an old program that reads its command line in the ANSI
// code page (1251 here). A ROM whose name holds letters outside it must still
// reach it as a name it can open.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "core/controls.h"

using namespace e2e;

namespace {

// Starts kx_shell beside the ANSI stand-in, chooses `romName` and presses OK;
// returns what the stand-in reported: "opened" or "not opened", then the
// argument as it read it.
std::optional<Received> LaunchWithRom(const std::wstring& romName) {
    Launcher app(LaunchOptions(Ini::KravixPath, {}, {}, false));
    const std::wstring kravixFolder = app.kravixPath().substr(0, app.kravixPath().find_last_of(L'\\'));
    CopyInto(TestProgramFolder() + L"\\ansi_stand_in\\kravix.exe", kravixFolder, L"kravix.exe");
    const std::wstring rom = app / romName;
    WriteBytes(rom, "ROM");
    app.Start();

    const HWND main = app.MainWindow();
    if (!main) return std::nullopt;
    EXPECT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, L"Открытие РОМа", rom));
    EXPECT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom) << "the box shows the full name";
    Click(main, MainWindow::OkButton.id);
    return app.WaitReceived();
}

}  // namespace

TEST(AnsiProgram, OpensARomNamedOutsideTheCodePage) {
    ASSERT_EQ(GetACP(), 1251u) << "the test needs the Russian code page (LC_ALL=ru_RU.UTF-8)";
    const auto received = LaunchWithRom(L"ゲーム ∞.nes");
    ASSERT_TRUE(received);
    EXPECT_EQ(received->commandLine, L"opened") << "the program got: " << ToUtf8(received->arguments.at(0));
    EXPECT_EQ(received->arguments.at(0).find(L'?'), std::wstring::npos);
}

TEST(AnsiProgram, RomNamedInTheCodePageArrivesAsItIs) {
    ASSERT_EQ(GetACP(), 1251u) << "the test needs the Russian code page (LC_ALL=ru_RU.UTF-8)";
    const auto received = LaunchWithRom(L"Танчики.nes");
    ASSERT_TRUE(received);
    EXPECT_EQ(received->commandLine, L"opened");
    EXPECT_NE(received->arguments.at(0).find(L"Танчики.nes"), std::wstring::npos) << "the long name, unchanged";
}
