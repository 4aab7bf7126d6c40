#include "launch.h"

#include "messages.h"
#include "program_path.h"

namespace {

// Windows starts no program by a longer path, not even in its \\?\ form.
constexpr std::size_t kLongestProgramPath = 259;

// kravix.exe may be an old program that reads its command line in the ANSI
// code page, where letters outside it arrive as question marks. A path the
// code page cannot hold goes by its short (8.3) form instead, which names the
// same file in letters every program reads; when there is none, unchanged.
std::wstring ReadableInAnsi(PlatformOps& ops, const std::wstring& text) {
    std::string ansi;
    if (ops.ToAnsi(text, ansi)) return text;
    const std::wstring shortPath = ops.ShortPath(text);
    return !shortPath.empty() && ops.ToAnsi(shortPath, ansi) ? shortPath : text;
}

// The program's path as Windows can start it: a long one by its short form.
std::wstring StartablePath(PlatformOps& ops, const std::wstring& program) {
    if (program.size() <= kLongestProgramPath) return program;
    const std::wstring shortPath = ops.ShortPath(program);
    if (shortPath.empty() || shortPath.size() > kLongestProgramPath) throw PlatformFailure{};
    return shortPath;
}

// Windows runs a file of commands, whatever the case of its extension, through cmd.
bool IsBatchFile(const std::wstring& program) {
    std::wstring extension = program.size() >= 4 ? program.substr(program.size() - 4) : L"";
    for (wchar_t& c : extension) c = c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
    return extension == L".bat" || extension == L".cmd";
}

}  // namespace

void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    const std::wstring program = StartablePath(ops, ResolveProgram(ops, texts.program));
    const LaunchTexts arguments{ReadableInAnsi(ops, program), ReadableInAnsi(ops, texts.rom),
                                ReadableInAnsi(ops, texts.primaryTable), ReadableInAnsi(ops, texts.secondaryTable)};
    // Windows would run a batch file through cmd, which reads "&", "%" and
    // more in a file name as commands; it is run there explicitly instead,
    // with every argument protected, or not at all.
    if (IsBatchFile(program)) {
        const auto line = BuildBatchCommandLine(arguments);
        const auto systemFolders = ops.SystemFolders();
        if (!line || systemFolders.empty()) throw PlatformFailure{};
        ops.StartProgram(InFolder(systemFolders.front(), L"cmd.exe"), *line, StartedWindow::NormalWithFocus);
    } else {
        // The program is named on its own as well as in the line, so a path with
        // spaces can never be read as a shorter program ("C:\My.exe").
        ops.StartProgram(program, BuildCommandLine(arguments), StartedWindow::NormalWithFocus);
    }
    ops.EndProgram();
}

void ReportLaunchFailure(PlatformOps& ops) { ops.ShowMessage(kLaunchFailed, MessageKind::CriticalOk); }
