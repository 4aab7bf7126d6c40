// The longest path Wine's Open dialog returns (259 characters; it cannot
// return more, see the file dialog buffer tests) reaches the box and kravix.exe
// whole.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "core/controls.h"

using namespace e2e;

TEST(LongPath, TheLongestPathTheDialogReturnsReachesKravix) {
    Launcher app;
    std::wstring folder = app.folder();
    while (folder.size() < 200) {
        folder += L"\\вложенная папка";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring stem = folder + L"\\";
    const std::wstring rom = stem + std::wstring(259 - stem.size() - 4, L'и') + L".nes";
    ASSERT_EQ(rom.size(), 259u);
    WriteBytes(rom, "ROM");

    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(app.Browse(main, MainWindow::BrowseRomButton.id, L"Открытие РОМа", rom));
    EXPECT_EQ(WaitText(main, MainWindow::RomBox.id, rom), rom);
    Click(main, MainWindow::OkButton.id);
    const auto received = app.WaitReceived();
    ASSERT_TRUE(received);
    ASSERT_GE(received->arguments.size(), 1u);
    EXPECT_EQ(received->arguments[0], rom);
}
