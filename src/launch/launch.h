// This folder: starting kravix.exe, free of any system header. Where its path
// is kept (kx_shell.ini), which file a path names, the command line it gets,
// and the system services these rest on (PlatformOps).
#pragma once

#include <optional>

#include "command_line.h"
#include "platform_ops.h"

// What a launch starts: the program's file, its whole command line (its own
// path first) and the folder it starts in; and the texts that line hands on,
// each in the form every program reads, for a start that builds its own line.
struct LaunchPlan {
    std::wstring program, commandLine, folder;
    LaunchTexts arguments;
};

// What to start for the main window's four texts, or nothing when no start
// could hand kravix.exe exactly these paths.
std::optional<LaunchPlan> PlanLaunch(PlatformOps& ops, const LaunchTexts& texts);
// Starts what was planned and ends the launcher; throws PlatformFailure when
// the start fails. A program that asks for administrator rights is started
// through the shell, which asks the user, if it is an .exe.
void StartPlanned(PlatformOps& ops, const LaunchPlan& plan);
// Both, as the main window's OK asks: a refusal throws as a failed start does.
void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts);
// The one message for every cause of a failed launch.
void ReportLaunchFailure(PlatformOps& ops);
