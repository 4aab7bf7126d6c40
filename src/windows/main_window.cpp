// Form1: where kravix.exe lies, the three file rows, OK and Cancel.
#include <iterator>

#include "core/window_flow.h"
#include "windows/browse.h"
#include "windows/windows.h"

namespace {

constexpr Handler Command1_Click{BrowseInto<Form1::CommonDialog1, Form1::Text2>, IgnoreFailure};
constexpr Handler Command2_Click{BrowseInto<Form1::CommonDialog2, Form1::Text3>, IgnoreFailure};
constexpr Handler Command3_Click{BrowseInto<Form1::CommonDialog3, Form1::Text4>, IgnoreFailure};

constexpr FileDialogDef kRomDialog{
    L"Открытие РОМа",
    L"РОМы от Dendy(Nintendo)|*.nes;*.nez|РОМЫ от Сеги, С.Нинтендо и Турбо Графикс 16|"
    L"*.smd;*.bin;*.gen;*.smc;*.pce|Другие типы|*.*|",
    L""};
constexpr FileDialogDef kPrimaryTableDialog{L"Открытие первичной таблицы", L"Таблицы kravix|*.tbl|", L""};
constexpr FileDialogDef kSecondaryTableDialog{L"Открытие вторичной таблицы(необязательно)", L"Таблицы kravix|*.tbl|",
                                              L""};

using K = ControlKind;
constexpr int kFrame1 = Form1::Frame1.id, kFrame2 = Form1::Frame2.id, kFrame3 = Form1::Frame3.id;

// Controls inside a group box are placed from the box's outer top left corner.
// The browse buttons stand on the window, over the right part of Frame2, and
// come after it here so they lie above it.
constexpr ControlDef kControls[] = {
    {Form1::Frame1, K::GroupBox, 0, L"Расположение kravix.exe", {120, 105, 5535, 720}, 0},
    {Form1::Text1, K::TextBox, kFrame1, L"", {75, 225, 5385, 330}, 1, nullptr, nullptr, &kProgramPathKeyDown},
    {Form1::Frame2, K::GroupBox, 0, L"Опции запуска", {120, 855, 5535, 2040}, 2},
    {Form1::Label1, K::Label, kFrame2, L"Имя РОМА", {165, 225, 930, 255}, 3},
    {Form1::Text2, K::TextBox, kFrame2, L"", {1170, 180, 3855, 330}, 4},
    {Form1::Command1, K::Button, 0, L"...", {5220, 1020, 375, 360}, 5, &kBrowseButtonFont, &Command1_Click},
    {Form1::Label2, K::Label, kFrame2, L"Первичная таблица", {90, 720, 1560, 270}, 6},
    {Form1::Text3, K::TextBox, kFrame2, L"", {1725, 675, 3300, 345}, 7},
    {Form1::Command2, K::Button, 0, L"...", {5220, 1500, 375, 390}, 8, &kBrowseButtonFont, &Command2_Click},
    {Form1::Label3, K::Label, kFrame2, L"Вторичная таблица", {75, 1125, 1530, 255}, 9},
    {Form1::Text4, K::TextBox, kFrame2, L"", {1725, 1095, 3300, 345}, 10},
    {Form1::Command3, K::Button, 0, L"...", {5220, 1935, 375, 360}, 11, &kBrowseButtonFont, &Command3_Click},
    {Form1::Frame3, K::GroupBox, kFrame2, L"Примечание", {60, 1470, 5400, 495}, 12},
    {Form1::Label4, K::Label, kFrame3, L"Вторичная таблица не обязательна.", {45, 180, 5265, 270}, 13},
    {Form1::Command4, K::Button, 0, L"ОК", {818, 3000, 1935, 375}, 14, nullptr, &kLaunchFromMainWindow},
    {Form1::Command5, K::Button, 0, L"Отмена", {2963, 3000, 1920, 375}, 15, nullptr, &kCancelProgram},
    {Form1::CommonDialog1, K::FileDialog, 0, L"", {}, 0, nullptr, nullptr, nullptr, &kRomDialog},
    {Form1::CommonDialog2, K::FileDialog, 0, L"", {}, 0, nullptr, nullptr, nullptr, &kPrimaryTableDialog},
    {Form1::CommonDialog3, K::FileDialog, 0, L"", {}, 0, nullptr, nullptr, nullptr, &kSecondaryTableDialog},
};

}  // namespace

const WindowDef kMainWindow{Form::Form1,
                            L"Shell for kravix",
                            5700,
                            3450,
                            WindowFrame::FixedSingle,
                            true,
                            &kStartUpRead,
                            kControls,
                            std::size(kControls)};
