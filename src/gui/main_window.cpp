// The main window: where kravix.exe lies, the three file rows, OK and Cancel.
#include "browse.h"
#include "controls.h"
#include "messages.h"
#include "window_flow.h"

namespace {

// The tables are laid out to be read like a dialog template.
// clang-format off

using namespace MainWindow;
using enum ControlKind;

constexpr FileDialogDef kDialogs[] = {
    {.control = RomDialog, .title = L"Открытие РОМа",
     .filter = L"РОМы от Dendy(Nintendo)|*.nes;*.nez|РОМЫ от Сеги, С.Нинтендо и Турбо Графикс 16|"
               L"*.smd;*.bin;*.gen;*.smc;*.pce|Другие типы|*.*|"},
    {.control = PrimaryTableDialog, .title = L"Открытие первичной таблицы", .filter = L"Таблицы kravix|*.tbl|"},
    {.control = SecondaryTableDialog, .title = L"Открытие вторичной таблицы(необязательно)",
     .filter = L"Таблицы kravix|*.tbl|"},
};

constexpr int kProgramPathGroup = ProgramPathGroup.id, kLaunchOptions = LaunchOptionsGroup.id,
              kNote = NoteGroup.id;

// In tab order. Controls inside a group box are placed from the box's outer
// corner. The browse buttons stand on the window itself, over the right part
// of the launch options, each level with its box.
constexpr ControlDef kControls[] = {
    {.control = ProgramPathGroup, .kind = GroupBox, .caption = L"Расположение kravix.exe",
     .rect = {120, 105, 5535, 720}},
    {.control = ProgramPathBox, .kind = TextBox, .containerId = kProgramPathGroup, .rect = {75, 225, 5385, 330},
     .onKeyDown = ProgramPathKeyDown, .nameForScreenReaders = kProgramPathBoxName},
    {.control = LaunchOptionsGroup, .kind = GroupBox, .caption = L"Опции запуска", .rect = {120, 855, 5535, 2040}},
    {.control = RomLabel, .kind = Label, .containerId = kLaunchOptions, .caption = L"Имя РОМА",
     .rect = {165, 225, 930, 255}},
    {.control = RomBox, .kind = TextBox, .containerId = kLaunchOptions, .rect = {1170, 180, 3855, 330}},
    {.control = BrowseRomButton, .kind = Button, .caption = L"...", .rect = {5220, 1020, 375, 360},
     .font = &kBrowseButtonFont, .onClick = BrowseInto<RomDialog, RomBox>,
     .nameForScreenReaders = kBrowseRomName},
    {.control = PrimaryTableLabel, .kind = Label, .containerId = kLaunchOptions, .caption = L"Первичная таблица",
     .rect = {90, 720, 1560, 270}},
    {.control = PrimaryTableBox, .kind = TextBox, .containerId = kLaunchOptions, .rect = {1725, 675, 3300, 345}},
    {.control = BrowsePrimaryTableButton, .kind = Button, .caption = L"...", .rect = {5220, 1500, 375, 390},
     .font = &kBrowseButtonFont, .onClick = BrowseInto<PrimaryTableDialog, PrimaryTableBox>,
     .nameForScreenReaders = kBrowsePrimaryTableName},
    {.control = SecondaryTableLabel, .kind = Label, .containerId = kLaunchOptions, .caption = L"Вторичная таблица",
     .rect = {75, 1125, 1530, 255}},
    {.control = SecondaryTableBox, .kind = TextBox, .containerId = kLaunchOptions, .rect = {1725, 1095, 3300, 345}},
    {.control = BrowseSecondaryTableButton, .kind = Button, .caption = L"...", .rect = {5220, 1935, 375, 360},
     .font = &kBrowseButtonFont, .onClick = BrowseInto<SecondaryTableDialog, SecondaryTableBox>,
     .nameForScreenReaders = kBrowseSecondaryTableName},
    {.control = NoteGroup, .kind = GroupBox, .containerId = kLaunchOptions, .caption = L"Примечание",
     .rect = {60, 1470, 5400, 495}},
    {.control = NoteLabel, .kind = Label, .containerId = kNote, .caption = L"Вторичная таблица не обязательна.",
     .rect = {45, 180, 5265, 270}},
    {.control = OkButton, .kind = Button, .caption = L"ОК", .rect = {818, 3000, 1935, 375},
     .onClick = LaunchFromMainWindow},
    {.control = CancelButton, .kind = Button, .caption = L"Отмена", .rect = {2963, 3000, 1920, 375},
     .onClick = EndProgram},
};

// clang-format on

}  // namespace

const WindowDef kMainWindow{.id = WindowId::Main,
                            .caption = L"Shell for kravix",
                            .clientWidth = 5700,
                            .clientHeight = 3450,
                            .frame = WindowFrame::FixedSingle,
                            .onLoad = StartUpRead,
                            .controls = kControls,
                            .dialogs = kDialogs};
