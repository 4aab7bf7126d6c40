// Starting kravix.exe, the launcher's main act.
#pragma once

#include "core/command_line.h"
#include "platform/platform_ops.h"

inline constexpr wchar_t kLaunchFailureMessage[] =
    L"Не найден файл kravix.exe. Нажмите F12  в главном окне для установки пути к этому файлу";

// kravix.exe may be an old program that reads its command line in the ANSI
// code page, where letters outside it arrive as question marks. A path the
// code page cannot hold goes by its short (8.3) form instead, which names the
// same file in letters every program reads; when there is none, unchanged.
std::wstring ReadableInAnsi(PlatformOps& ops, const std::wstring& text);

// Starts the program named by texts[0] with the command line and ends the
// launcher. A failed start throws, for the caller's guard to answer.
void LaunchProgram(PlatformOps& ops, const LaunchTexts& texts);
// The one message for every cause of a failed launch.
void ReportLaunchFailure(PlatformOps& ops);
