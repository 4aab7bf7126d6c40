// The controls of the launcher's two windows, by what they are. The numbers
// are their dialog ids on screen, which tests and other programs find them by.
#pragma once

#include "window_table.h"

namespace MainWindow {
inline constexpr Control ProgramPathGroup{WindowId::Main, 401};
inline constexpr Control ProgramPathBox{WindowId::Main, 101};
inline constexpr Control LaunchOptionsGroup{WindowId::Main, 402};
inline constexpr Control RomLabel{WindowId::Main, 301};
inline constexpr Control RomBox{WindowId::Main, 102};
inline constexpr Control BrowseRomButton{WindowId::Main, 201};
inline constexpr Control PrimaryTableLabel{WindowId::Main, 302};
inline constexpr Control PrimaryTableBox{WindowId::Main, 103};
inline constexpr Control BrowsePrimaryTableButton{WindowId::Main, 202};
inline constexpr Control SecondaryTableLabel{WindowId::Main, 303};
inline constexpr Control SecondaryTableBox{WindowId::Main, 104};
inline constexpr Control BrowseSecondaryTableButton{WindowId::Main, 203};
inline constexpr Control NoteGroup{WindowId::Main, 403};
inline constexpr Control NoteLabel{WindowId::Main, 304};
inline constexpr Control OkButton{WindowId::Main, 204};
inline constexpr Control CancelButton{WindowId::Main, 205};
inline constexpr Control RomDialog{WindowId::Main, 501};
inline constexpr Control PrimaryTableDialog{WindowId::Main, 502};
inline constexpr Control SecondaryTableDialog{WindowId::Main, 503};
}  // namespace MainWindow

namespace SetupWindow {
inline constexpr Control ProgramPathBox{WindowId::Setup, 101};
inline constexpr Control BrowseButton{WindowId::Setup, 201};
inline constexpr Control OkButton{WindowId::Setup, 202};
inline constexpr Control CancelButton{WindowId::Setup, 203};
inline constexpr Control ProgramDialog{WindowId::Setup, 501};
}  // namespace SetupWindow
