// What a launch starts, and starting it.
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
// Starts what was planned: false, starting nothing, for a program that asks
// for administrator rights but is no .exe, which the shell's start cannot be
// trusted with. Throws PlatformFailure when a start fails.
bool StartPlanned(PlatformOps& ops, const LaunchPlan& plan);
// Both, for the main window's four texts: whether kravix.exe was started.
bool LaunchProgram(PlatformOps& ops, const LaunchTexts& texts);
