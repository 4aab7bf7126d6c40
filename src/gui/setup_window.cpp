// The setup window: asks where kravix.exe lies.
#include "browse.h"
#include "controls.h"
#include "messages.h"
#include "window_flow.h"

namespace {

// The tables are laid out to be read like a dialog template.
// clang-format off

using namespace SetupWindow;
using enum ControlKind;

constexpr FileDialogDef kDialogs[] = {
    {.control = ProgramDialog, .title = L"открытие", .filter = L"exe-файлы|*.exe|", .initialFileName = L"kravix.exe"},
};

// In tab order: the box holds the focus when the window opens.
constexpr ControlDef kControls[] = {
    {.control = ProgramPathBox, .kind = TextBox, .rect = {120, 150, 5745, 315},
     .nameForScreenReaders = kProgramPathBoxName},
    {.control = BrowseButton, .kind = Button, .caption = L"...", .rect = {5940, 90, 405, 390},
     .font = &kBrowseButtonFont, .onClick = BrowseInto<ProgramDialog, ProgramPathBox>,
     .nameForScreenReaders = kBrowseProgramName},
    {.control = OkButton, .kind = Button, .caption = L"ОК", .rect = {1073, 510, 1965, 315},
     .onClick = ConfirmProgramPath},
    {.control = CancelButton, .kind = Button, .caption = L"Отмена", .rect = {3173, 510, 2115, 315},
     .onClick = EndProgram},
};

// clang-format on

}  // namespace

const WindowDef kSetupWindow{.id = WindowId::Setup,
                             .caption = L"Укажите где находится kravix.exe",
                             .clientWidth = 6360,
                             .clientHeight = 870,
                             .frame = WindowFrame::FixedDialog,
                             .controls = kControls,
                             .dialogs = kDialogs};
