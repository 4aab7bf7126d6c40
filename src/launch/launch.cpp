#include "launch.h"

#include "ansi_reading.h"
#include "batch_file.h"
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

// kravix.exe starts in the folder the launcher was started in; when that one
// is gone (an ejected stick, a dropped share), in its own folder. cmd takes no
// network folder (\\server\share) as its current one and would run a batch
// file in the Windows folder instead: it gets the first of the two that has a
// drive letter, or nothing.
std::optional<std::wstring> WorkingFolder(PlatformOps& ops, const std::wstring& program, bool forCmd) {
    const std::wstring programFolder = FolderOf(program);
    const std::wstring startFolder = ops.StartFolder();
    for (const std::wstring& folder : {ops.IsFolder(startFolder) ? startFolder : programFolder, programFolder}) {
        if (!forCmd || IsOnDrive(folder)) return folder;
    }
    return std::nullopt;
}

}  // namespace

std::optional<LaunchPlan> PlanLaunch(PlatformOps& ops, const LaunchTexts& texts) {
    const auto resolved = ResolveProgram(ops, texts.program);
    auto program = resolved ? StartablePath(ops, *resolved) : std::nullopt;
    if (!program) return std::nullopt;
    // Windows would run a batch file through cmd, which reads "&", "%" and
    // more in a file name as commands; it is run there explicitly instead,
    // with every argument protected, or not at all. Starting cmd cannot fail,
    // so what cmd would fail on is refused here.
    const bool batch = IsBatchFile(*program);
    if (batch) program = BatchPathForCmd(*program);
    if (!program || (batch && !ops.IsFile(*program))) return std::nullopt;
    const auto folder = WorkingFolder(ops, *program, batch);
    if (!folder) return std::nullopt;
    LaunchTexts arguments{*program, texts.rom, texts.primaryTable, texts.secondaryTable};
    for (std::wstring* text : arguments.InOrder()) {
        const auto readable = ReadableInAnsi(ops, *text);
        if (!readable) return std::nullopt;
        *text = *readable;
    }
    if (!batch) {
        // The program is named on its own as well as in the line, so a path with
        // spaces can never be read as a shorter program ("C:\My.exe").
        const auto line = BuildCommandLine(arguments);
        if (!line) return std::nullopt;
        return LaunchPlan{*program, *line, *folder, arguments};
    }
    const auto line = BuildBatchCommandLine(arguments);
    const auto systemFolders = ops.SystemFolders();
    if (!line || systemFolders.empty()) return std::nullopt;
    return LaunchPlan{InFolder(systemFolders.front(), L"cmd.exe"), *line, *folder, arguments};
}

bool StartPlanned(PlatformOps& ops, const LaunchPlan& plan) {
    try {
        ops.StartProgram(plan.program, plan.commandLine, plan.folder);
        return true;
    } catch (const PlatformFailure& failure) {
        if (failure.cause != PlatformFailure::Cause::NeedsElevation) throw;
    }
    // Windows asks the user for the rights only when the shell starts the
    // program. The shell starts what the file's type says, which for any other
    // extension may be another program or none.
    const std::wstring& file = plan.arguments.program;
    if (ExtensionAsOpened(file) != L".exe") return false;
    // Its own path first, as the plain start has it: an old program may read
    // only its short form.
    ops.StartThroughShell(file, BuildParameters(plan.arguments), plan.folder);
    return true;
}

bool LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    const auto plan = PlanLaunch(ops, texts);
    return plan && StartPlanned(ops, *plan);
}
