// What needs the whole program: kx_shell.exe driven through its windows and
// the system's own dialogs, beside the stand-in kravix.exe.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "platform/layout.h"
#include "window_tables/window_tables.h"

using namespace e2e;

namespace {

std::string Record(const fs::path& program) { return "\"" + Utf8(program.wstring()) + "\"\r\n"; }

}  // namespace

// Three real Open dialogs, a ROM named outside the ANSI code page that an old
// program still opens (by its short name), OK: kravix.exe gets the paths in
// their places, in the folder kx_shell was started in, and kx_shell ends.
TEST(Journey, TypicalRun) {
    Launcher run(Record(L"kravix.exe"));
    const fs::path rom = run.folder / L"ゲーム Super.nes", table = run.folder / L"a.tbl";
    WriteBytes(rom, "rom");
    WriteBytes(table, "table");
    const HWND main = run.Window(kMainCaption);
    EXPECT_EQ(Text(Item(main, MainWindow::ProgramPathBox)), L"kravix.exe");
    run.Browse(main, MainWindow::BrowseRomButton, L"Открытие РОМа", rom);
    run.Browse(main, MainWindow::BrowsePrimaryTableButton, L"Открытие первичной таблицы", table);
    EXPECT_EQ(Text(Item(main, MainWindow::RomBox)), rom.wstring());
    Click(main, MainWindow::OkButton);
    EXPECT_EQ(run.WaitExit(), 0u);
    wchar_t shortRom[MAX_PATH];
    GetShortPathNameW(rom.c_str(), shortRom, MAX_PATH);
    auto received = run.Received();
    ASSERT_FALSE(received.empty());
    received.erase(received.begin());  // the command line as a whole
    EXPECT_EQ(received, (std::vector<std::wstring>{run.workFolder.wstring(), L"opened", shortRom, table.wstring()}));
}

// No configuration file: the setup window alone; a kravix.exe in a folder
// named outside the code page is saved in UTF-8 and read after a restart;
// F12 opens the setup window again, empty, and its Cancel ends the program.
TEST(Journey, FirstStartRestartAndF12) {
    Launcher run(std::nullopt, L"ゲーム");
    const HWND setup = run.Window(kSetupCaption);
    run.Browse(setup, SetupWindow::BrowseButton, L"открытие", run.kravix);
    Click(setup, SetupWindow::OkButton);
    HWND main = run.Window(kMainCaption);
    EXPECT_EQ(Text(Item(main, MainWindow::ProgramPathBox)), run.kravix.wstring());
    EXPECT_EQ(ReadBytes(run.folder / L"kx_shell.ini"), "\xEF\xBB\xBF" + Record(run.kravix));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitExit(), 0u);

    run.Start();
    main = run.Window(kMainCaption);
    EXPECT_EQ(Text(Item(main, MainWindow::ProgramPathBox)), run.kravix.wstring());
    PostMessageW(Item(main, MainWindow::ProgramPathBox), WM_KEYDOWN, VK_F12, 0);
    const HWND again = run.Window(kSetupCaption);
    EXPECT_EQ(Text(Item(again, SetupWindow::ProgramPathBox)), L"");
    Click(again, SetupWindow::CancelButton);
    EXPECT_EQ(run.WaitExit(), 0u);
}

// A program that cannot be started: the stop message, then the focus back
// in the program-path box.
TEST(Journey, FailedLaunch) {
    Launcher run("\"C:\\missing\\kravix.exe\"\r\n");
    const HWND main = run.Window(kMainCaption);
    Click(main, MainWindow::OkButton);
    const HWND message = run.Window(L"kx_shell");
    EXPECT_EQ(Text(GetDlgItem(message, 0xFFFF)),
              L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return run.Focus() == Item(main, MainWindow::ProgramPathBox); }));
}

// At 150 %: the client area and every control where the tables put them at 144 DPI.
TEST(Journey, LaidOutAt144Dpi) {
    SetProcessDPIAware();
    HKEY desktop = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &desktop);
    const DWORD dpi = 144;
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    Launcher run(Record(L"kravix.exe"));
    const HWND main = run.Window(kMainCaption);
    RegDeleteValueW(desktop, L"LogPixels");  // kx_shell read it as it started
    RegCloseKey(desktop);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 570);
    EXPECT_EQ(client.bottom, 345);
    for (const ControlDef& control : kMainWindow) {
        RECT rect{};
        if (control.kind == ControlKind::FileDialog || !GetWindowRect(Item(main, control.control), &rect)) continue;
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ((PixelRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                  PlaceOnWindow(kMainWindow, control, 144)) << control.control.id;
    }
}
