#include "launch.h"

#include <algorithm>

#include "messages.h"
#include "program_path.h"

namespace {

// Windows starts no program by a longer path, not even in its \\?\ form.
constexpr std::size_t kLongestProgramPath = 259;

// What a program reading its command line goes by: where an argument ends,
// how a backslash before a quote is read, which folders a path names.
bool Shapes(wchar_t c) { return c == L'"' || c == L'\\' || c == L'/' || c == L':' || c == L' ' || c == L'\t'; }

// kravix.exe may be an old program that reads its command line in the ANSI
// code page, where a letter outside it arrives as a look-alike or a question
// mark. A path the code page cannot hold goes by its short (8.3) form, which
// names the same file in letters every program reads. Without one it goes as
// it is, unless a look-alike would be a quote, a backslash, a slash, a colon,
// a blank or a tab: the old program would then split the line elsewhere or
// look in other folders, and the launch is refused. (Best fit keeps every
// ASCII character, so counting these is enough to see whether one appeared.)
std::wstring ReadableInAnsi(PlatformOps& ops, const std::wstring& text) {
    std::string ansi;
    if (ops.ToAnsi(text, ansi)) return text;
    const std::wstring shortPath = ops.ShortPath(text);
    if (!shortPath.empty() && ops.ToAnsi(shortPath, ansi)) return shortPath;
    const std::wstring seen = ops.AnsiView(text);
    if (std::count_if(seen.begin(), seen.end(), Shapes) != std::count_if(text.begin(), text.end(), Shapes)) {
        throw PlatformFailure{};
    }
    return text;
}

// The program's path as Windows can start it: a long one by its short form.
std::wstring StartablePath(PlatformOps& ops, const std::wstring& program) {
    if (program.size() <= kLongestProgramPath) return program;
    const std::wstring shortPath = ops.ShortPath(program);
    if (shortPath.empty() || shortPath.size() > kLongestProgramPath) throw PlatformFailure{};
    return shortPath;
}

// Windows runs a file of commands through cmd, whatever the case of its
// extension, and it opens a file by its name without the dots and blanks
// that end it: "run.bat. ." is run.bat.
bool IsBatchFile(const std::wstring& program) {
    const std::size_t last = program.find_last_not_of(L". ");
    if (last == std::wstring::npos || last < 3) return false;
    std::wstring extension = program.substr(last - 3, 4);
    for (wchar_t& c : extension) c = c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
    return extension == L".bat" || extension == L".cmd";
}

// kravix.exe starts in the folder the launcher was started in; when that one
// is gone (an ejected stick, a dropped share), in its own folder.
std::wstring WorkingFolder(PlatformOps& ops, const std::wstring& program) {
    const std::wstring startFolder = ops.StartFolder();
    if (ops.IsFolder(startFolder)) return startFolder;
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    // "C:" alone would name the current folder of drive C.
    if (folder.size() == 2 && folder.back() == L':') folder += L'\\';
    return folder;
}

}  // namespace

void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    const std::wstring program = StartablePath(ops, ResolveProgram(ops, texts.program));
    const LaunchTexts arguments{ReadableInAnsi(ops, program), ReadableInAnsi(ops, texts.rom),
                                ReadableInAnsi(ops, texts.primaryTable), ReadableInAnsi(ops, texts.secondaryTable)};
    // Windows would run a batch file through cmd, which reads "&", "%" and
    // more in a file name as commands; it is run there explicitly instead,
    // with every argument protected, or not at all.
    const std::wstring folder = WorkingFolder(ops, program);
    if (IsBatchFile(program)) {
        const auto line = BuildBatchCommandLine(arguments);
        const auto systemFolders = ops.SystemFolders();
        if (!line || systemFolders.empty()) throw PlatformFailure{};
        ops.StartProgram(InFolder(systemFolders.front(), L"cmd.exe"), *line, folder, StartedWindow::NormalWithFocus);
    } else {
        // The program is named on its own as well as in the line, so a path with
        // spaces can never be read as a shorter program ("C:\My.exe").
        const auto line = BuildCommandLine(arguments);
        if (!line) throw PlatformFailure{};
        ops.StartProgram(program, *line, folder, StartedWindow::NormalWithFocus);
    }
    ops.EndProgram();
}

void ReportLaunchFailure(PlatformOps& ops) { ops.ShowMessage(kLaunchFailed, MessageKind::CriticalOk); }
