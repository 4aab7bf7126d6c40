// The launcher's two windows as data (layout, texts, file dialogs, and the
// handler each event runs), and their controls by what they are. A control's
// number is its dialog id on screen, which tests and other programs find it by.
#pragma once

#include "window_table.h"

extern const WindowDef kMainWindow;   // the start window: the program path and the three file rows
extern const WindowDef kSetupWindow;  // asks where kravix.exe lies

namespace MainWindow {
inline constexpr Control ProgramPathGroup{WindowId::Main, 401, "ProgramPathGroup"};
inline constexpr Control ProgramPathBox{WindowId::Main, 101, "ProgramPathBox"};
inline constexpr Control LaunchOptionsGroup{WindowId::Main, 402, "LaunchOptionsGroup"};
inline constexpr Control RomLabel{WindowId::Main, 301, "RomLabel"};
inline constexpr Control RomBox{WindowId::Main, 102, "RomBox"};
inline constexpr Control BrowseRomButton{WindowId::Main, 201, "BrowseRomButton"};
inline constexpr Control PrimaryTableLabel{WindowId::Main, 302, "PrimaryTableLabel"};
inline constexpr Control PrimaryTableBox{WindowId::Main, 103, "PrimaryTableBox"};
inline constexpr Control BrowsePrimaryTableButton{WindowId::Main, 202, "BrowsePrimaryTableButton"};
inline constexpr Control SecondaryTableLabel{WindowId::Main, 303, "SecondaryTableLabel"};
inline constexpr Control SecondaryTableBox{WindowId::Main, 104, "SecondaryTableBox"};
inline constexpr Control BrowseSecondaryTableButton{WindowId::Main, 203, "BrowseSecondaryTableButton"};
inline constexpr Control NoteGroup{WindowId::Main, 403, "NoteGroup"};
inline constexpr Control NoteLabel{WindowId::Main, 304, "NoteLabel"};
inline constexpr Control OkButton{WindowId::Main, 204, "OkButton"};
inline constexpr Control CancelButton{WindowId::Main, 205, "CancelButton"};
inline constexpr Control RomDialog{WindowId::Main, 501, "RomDialog"};
inline constexpr Control PrimaryTableDialog{WindowId::Main, 502, "PrimaryTableDialog"};
inline constexpr Control SecondaryTableDialog{WindowId::Main, 503, "SecondaryTableDialog"};
}  // namespace MainWindow

namespace SetupWindow {
inline constexpr Control ProgramPathBox{WindowId::Setup, 101, "SetupWindow::ProgramPathBox"};
inline constexpr Control BrowseButton{WindowId::Setup, 201, "SetupWindow::BrowseButton"};
inline constexpr Control OkButton{WindowId::Setup, 202, "SetupWindow::OkButton"};
inline constexpr Control CancelButton{WindowId::Setup, 203, "SetupWindow::CancelButton"};
inline constexpr Control ProgramDialog{WindowId::Setup, 501, "SetupWindow::ProgramDialog"};
}  // namespace SetupWindow
