#include "core/launch.h"

void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts) {
    // The program is named on its own as well as in the line, so a path with
    // spaces can never be read as a shorter program ("C:\My.exe").
    ops.StartProgram(texts[0], BuildCommandLine(texts), kNormalFocus);
    ops.EndProgram();
}

void ReportLaunchFailure(PlatformOps& ops) { ops.ShowMessage(kLaunchFailureMessage, kCriticalOk); }
