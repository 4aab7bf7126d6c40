// The command line kravix.exe is started with.
#pragma once

#include <array>
#include <optional>
#include <string>

// The texts of the main window's four boxes, in the order kravix.exe takes them.
struct LaunchTexts {
    std::wstring program;  // the path of kravix.exe
    std::wstring rom;
    std::wstring primaryTable;
    std::wstring secondaryTable;  // may be empty

    std::array<const std::wstring*, 4> InOrder() const { return {&program, &rom, &primaryTable, &secondaryTable}; }
    std::array<std::wstring*, 4> InOrder() { return {&program, &rom, &primaryTable, &secondaryTable}; }
};

// The four texts joined by single spaces, for a program that splits its line
// as the Windows C runtime does. A text holding a blank or quote is quoted so
// that it arrives as one argument; an empty text before a non-empty one goes
// as "" so that every path keeps its position; empty texts at the end are left
// out, their separating spaces kept. Every other text passes unchanged.
// Nothing when the line is longer than Windows starts a program with.
std::optional<std::wstring> BuildCommandLine(const LaunchTexts& texts);
// The same line after the program's own path, which the shell's start puts
// before it itself.
std::wstring BuildParameters(const LaunchTexts& texts);

// The line that has the command interpreter run the batch file texts.program with
// the other texts as its arguments, each reaching it whole and unexpanded; nothing
// when a text cannot be made safe there.
std::optional<std::wstring> BuildBatchCommandLine(const LaunchTexts& texts);
