// Every message the user can read, in one place for whoever rewords or
// translates them. The windows' captions and file filters are the windows'
// data and stay in their tables. "%1" stands for a path (see Fill).
#pragma once

#include <string>
#include <string_view>

// The one answer to a failed launch, whatever its cause.
inline constexpr wchar_t kLaunchFailed[] =
    L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу";

// What a screen reader says for a control whose caption says too little (a
// browse button's "...") or that has no label before it (a program-path box).
inline constexpr wchar_t kProgramPathBoxName[] = L"Расположение kravix.exe";
inline constexpr wchar_t kBrowseProgramName[] = L"Выбрать kravix.exe";
inline constexpr wchar_t kBrowseRomName[] = L"Выбрать РОМ";
inline constexpr wchar_t kBrowsePrimaryTableName[] = L"Выбрать первичную таблицу";
inline constexpr wchar_t kBrowseSecondaryTableName[] = L"Выбрать вторичную таблицу";

// A fatal error: what failed, the system's reason when there is one, then the end.
inline constexpr wchar_t kProgramWillClose[] = L"Программа будет закрыта.";
inline constexpr wchar_t kInternalError[] = L"Внутренняя ошибка программы.";
inline constexpr wchar_t kCannotSavePath[] = L"Не удалось сохранить путь к kravix.exe в файл %1.";
// No folder is suggested: Documents, Desktop and the like may be closed to
// unknown programs (Controlled Folder Access).
inline constexpr wchar_t kCannotWriteInOwnFolder[] =
    L"kx_shell не может записывать файлы в свою папку. Перенесите kx_shell в папку, где вы можете сохранять файлы.";
inline constexpr wchar_t kIniReadOnly[] =
    L"Файл отмечен как доступный только для чтения. Чтобы kx_shell мог сохранять в нём путь, щёлкните файл правой "
    L"кнопкой мыши, выберите «Свойства» и снимите флажок «Только чтение».";
inline constexpr wchar_t kWindowAlreadyOpen[] = L"Окно уже открыто и не может стать модальным.";

// What a Windows operation could not do. It cannot know whether the user will
// read it, so it always says.
inline constexpr wchar_t kCannotFindOwnFolder[] = L"Не удалось узнать, где лежит программа.";
inline constexpr wchar_t kCannotOpenFile[] = L"Не удалось открыть файл %1.";
inline constexpr wchar_t kCannotCreateFile[] = L"Не удалось создать файл %1.";
inline constexpr wchar_t kCannotOpenForWriting[] = L"Не удалось открыть для записи файл %1.";
inline constexpr wchar_t kCannotReadFile[] = L"Не удалось прочитать файл.";
inline constexpr wchar_t kCannotWriteFile[] = L"Не удалось записать файл.";
inline constexpr wchar_t kCannotFlushFile[] = L"Не удалось записать файл на диск.";
inline constexpr wchar_t kCannotCloseFile[] = L"Не удалось закрыть файл.";
inline constexpr wchar_t kCannotReplaceFile[] = L"Не удалось заменить файл %1.";
inline constexpr wchar_t kCannotStartProgram[] = L"Не удалось запустить %1.";
inline constexpr wchar_t kCannotShowMessage[] = L"Не удалось показать сообщение.";
inline constexpr wchar_t kCannotCreateWindow[] = L"Не удалось создать окно.";
inline constexpr wchar_t kControlMissing[] = L"Элемент окна не найден.";
inline constexpr wchar_t kCannotSetText[] = L"Не удалось изменить текст в окне.";
inline constexpr wchar_t kCannotOpenDialog[] = L"Не удалось открыть диалог выбора файла.";
inline constexpr wchar_t kDialogLibraryMissing[] = L"Не найдена библиотека comdlg32.dll.";
// The system's reason when Windows has no words for it.
inline constexpr wchar_t kErrorCode[] = L"Код ошибки %1.";

// The message with `value` in the place of its "%1"; one without it, as it is.
std::wstring Fill(std::wstring_view message, std::wstring_view value);
