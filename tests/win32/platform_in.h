// The real platform with its program folder and start folder elsewhere.
#pragma once

#include <filesystem>

#include "win32_platform.h"

struct PlatformIn : Win32Platform {
    explicit PlatformIn(const std::filesystem::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    std::wstring StartFolder() override { return start; }
    std::wstring folder, start = Win32Platform::StartFolder();
};
