#include "core/launch.h"

std::wstring ReadableInAnsi(PlatformOps& ops, const std::wstring& text) {
    std::string ansi;
    if (ops.ToAnsi(text, ansi))
        return text;
    const std::wstring shortPath = ops.ShortPath(text);
    return !shortPath.empty() && ops.ToAnsi(shortPath, ansi) ? shortPath : text;
}

void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    LaunchTexts arguments;
    for (std::size_t i = 0; i < texts.size(); ++i)
        arguments[i] = ReadableInAnsi(ops, texts[i]);
    // The program is named on its own as well as in the line, so a path with
    // spaces can never be read as a shorter program ("C:\My.exe").
    ops.StartProgram(texts[0], BuildCommandLine(arguments), StartedWindow::NormalWithFocus);
    ops.EndProgram();
}

void ReportLaunchFailure(PlatformOps& ops) {
    ops.ShowMessage(kLaunchFailureMessage, MessageKind::CriticalOk);
}
