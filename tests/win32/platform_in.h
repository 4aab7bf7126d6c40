// The real platform with its program folder and start folder elsewhere, and an end the test sees.
#pragma once

#include <filesystem>

#include "win32_platform.h"

struct Ended {};

struct PlatformIn : Win32Platform {
    explicit PlatformIn(const std::filesystem::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    std::wstring StartFolder() override { return start; }
    [[noreturn]] void EndProgram() override { throw Ended{}; }
    std::wstring folder, start = Win32Platform::StartFolder();
};
