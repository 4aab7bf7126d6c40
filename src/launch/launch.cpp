#include "launch.h"

#include "ansi_reading.h"
#include "messages.h"
#include "program_path.h"

namespace {

// Windows starts no program by a longer path, not even in its \\?\ form.
constexpr std::size_t kLongestProgramPath = 259;

// The program's path as Windows can start it: a long one by its short form.
std::optional<std::wstring> StartablePath(PlatformOps& ops, const std::wstring& program) {
    if (program.size() <= kLongestProgramPath) return program;
    const std::wstring shortPath = ops.ShortPath(program);
    if (shortPath.empty() || shortPath.size() > kLongestProgramPath) return std::nullopt;
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

std::optional<LaunchPlan> PlanLaunch(PlatformOps& ops, const LaunchTexts& texts) {
    const auto resolved = ResolveProgram(ops, texts.program);
    const auto program = resolved ? StartablePath(ops, *resolved) : std::nullopt;
    if (!program) return std::nullopt;
    LaunchTexts arguments{*program, texts.rom, texts.primaryTable, texts.secondaryTable};
    for (std::wstring* text : arguments.InOrder()) {
        const auto readable = ReadableInAnsi(ops, *text);
        if (!readable) return std::nullopt;
        *text = *readable;
    }
    const std::wstring folder = WorkingFolder(ops, *program);
    if (!IsBatchFile(*program)) {
        // The program is named on its own as well as in the line, so a path with
        // spaces can never be read as a shorter program ("C:\My.exe").
        const auto line = BuildCommandLine(arguments);
        if (!line) return std::nullopt;
        return LaunchPlan{*program, *line, folder};
    }
    // Windows would run a batch file through cmd, which reads "&", "%" and
    // more in a file name as commands; it is run there explicitly instead,
    // with every argument protected, or not at all.
    const auto line = BuildBatchCommandLine(arguments);
    const auto systemFolders = ops.SystemFolders();
    if (!line || systemFolders.empty()) return std::nullopt;
    return LaunchPlan{InFolder(systemFolders.front(), L"cmd.exe"), *line, folder};
}

void StartPlanned(PlatformOps& ops, const LaunchPlan& plan) {
    ops.StartProgram(plan.program, plan.commandLine, plan.folder, StartedWindow::NormalWithFocus);
    ops.EndProgram();
}

void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    const auto plan = PlanLaunch(ops, texts);
    if (!plan) throw PlatformFailure{};
    StartPlanned(ops, *plan);
}

void ReportLaunchFailure(PlatformOps& ops) { ops.ShowMessage(kLaunchFailed, MessageKind::CriticalOk); }
