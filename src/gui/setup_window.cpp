// The setup window: asks where kravix.exe lies.
#include <iterator>

#include "browse.h"
#include "controls.h"
#include "messages.h"
#include "window_flow.h"

namespace {

// The tables are laid out to be read like a dialog template.
// clang-format off

using namespace SetupWindow;
using enum ControlKind;

// Unlike the main window's rows, this browse also keeps what was chosen as
// the chosen path, which outlives the window itself.
void BrowseProgram(App& app, const Event& event) {
    BrowseInto<ProgramDialog, ProgramPathBox>(app, event);
    app.chosenPath = app.GetText(ProgramPathBox);
}

constexpr Handler kBrowseProgram{BrowseProgram, IgnoreFailure};

constexpr FileDialogDef kProgramFiles{.title = L"открытие", .filter = L"exe-файлы|*.exe|",
                                      .initialFileName = L"kravix.exe"};

// In tab order: the box holds the focus when the window opens.
constexpr ControlDef kControls[] = {
    {.control = ProgramPathBox, .kind = TextBox, .rect = {120, 150, 5745, 315},
     .nameForScreenReaders = kProgramPathBoxName},
    {.control = BrowseButton, .kind = Button, .caption = L"...", .rect = {5940, 90, 405, 390},
     .font = &kBrowseButtonFont, .onClick = &kBrowseProgram, .nameForScreenReaders = kBrowseProgramName},
    {.control = OkButton, .kind = Button, .caption = L"ОК", .rect = {1073, 510, 1965, 315},
     .onClick = &kConfirmProgramPath},
    {.control = CancelButton, .kind = Button, .caption = L"Отмена", .rect = {3173, 510, 2115, 315},
     .onClick = &kEndProgram},
    {.control = ProgramDialog, .kind = FileDialog, .dialog = &kProgramFiles},
};

// clang-format on

}  // namespace

const WindowDef kSetupWindow{.id = WindowId::Setup,
                             .caption = L"Укажите где находится kravix.exe",
                             .clientWidth = 6360,
                             .clientHeight = 870,
                             .frame = WindowFrame::FixedDialog,
                             .controls = kControls,
                             .controlCount = std::size(kControls)};
