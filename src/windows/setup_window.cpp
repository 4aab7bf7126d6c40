// Form2: asks where kravix.exe lies.
#include <iterator>

#include "core/window_flow.h"
#include "windows/browse.h"
#include "windows/windows.h"

namespace {

// Unlike the main window's rows, the setup window also keeps what was chosen
// as its ChosenPath, which outlives the window itself.
void Command1_Steps(App& app, const Event& event) {
    BrowseInto<Form2::dlgEXE, Form2::Text1>(app, event);
    app.form2.ChosenPath = app.ops.GetText(Form2::Text1);
}

constexpr Handler Command1_Click{Command1_Steps, IgnoreFailure};

constexpr FileDialogDef kProgramDialog{L"открытие", L"exe-файлы|*.exe|", L"kravix.exe"};

using K = ControlKind;

constexpr ControlDef kControls[] = {
    {Form2::Text1, K::TextBox, 0, L"", {120, 150, 5745, 315}, 0},
    {Form2::Command1, K::Button, 0, L"...", {5940, 90, 405, 390}, 1, &kBrowseButtonFont, &Command1_Click},
    {Form2::Command2, K::Button, 0, L"ОК", {1073, 510, 1965, 315}, 2, nullptr, &kConfirmProgramPath},
    {Form2::Command3, K::Button, 0, L"Отмена", {3173, 510, 2115, 315}, 3, nullptr, &kCancelProgram},
    {Form2::dlgEXE, K::FileDialog, 0, L"", {}, 0, nullptr, nullptr, nullptr, &kProgramDialog},
};

}  // namespace

const WindowDef kSetupWindow{Form::Form2,
                             L"Укажите где находится kravix.exe",
                             6360,
                             870,
                             WindowFrame::FixedDialog,
                             false,
                             nullptr,
                             kControls,
                             std::size(kControls)};
