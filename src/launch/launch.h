// This folder: starting kravix.exe, free of any system header. Where its path
// is kept (kx_shell.ini), which file a path names, the command line it gets,
// and the system services these rest on (PlatformOps).
#pragma once

#include "command_line.h"
#include "platform_ops.h"

// Starts the program named by texts.program with the other texts as its arguments
// and ends the launcher. A failed start throws, for the caller's guard to answer.
void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts);
// The one message for every cause of a failed launch.
void ReportLaunchFailure(PlatformOps& ops);
