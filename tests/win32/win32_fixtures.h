// What the tests of the Windows operations share: the real platform with its folders elsewhere, and the answers Wine
// never gives, forced at the system boundary: the test program's own import of a function points at a stand-in while
// a patch lasts.
#pragma once

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "win32_platform.h"

struct PlatformIn : Win32Platform {
    explicit PlatformIn(const std::filesystem::path& where) : folder(where.wstring()) {}
    std::wstring ProgramDirectory() override { return folder; }
    std::wstring StartFolder() override { return start; }
    std::wstring folder, start = Win32Platform::StartFolder();
};

class ImportPatch {
public:
    template <typename Function>
    ImportPatch(const char* name, Function standIn) : slot_(ImportOf(name)), original_(*slot_) {
        Point(reinterpret_cast<void*>(standIn));
    }
    ~ImportPatch() { Point(original_); }
    // What the import pointed at before, for a stand-in that passes calls on. (A pointer taken as &Function reads
    // the patched import again: the compiler folds it into the call.)
    template <typename Function>
    Function Original() const {
        return reinterpret_cast<Function>(original_);
    }

private:
    static void** ImportOf(const char* name) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + table); dll->Name; ++dll) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            for (auto** slot = reinterpret_cast<void**>(base + dll->FirstThunk); names->u1.AddressOfData;
                 ++names, ++slot) {
                const auto* named = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) && !std::strcmp(named->Name, name)) return slot;
            }
        }
        throw std::runtime_error(std::string("the test program imports no ") + name);
    }
    void Point(void* to) {
        DWORD was = 0;
        VirtualProtect(slot_, sizeof to, PAGE_READWRITE, &was);
        *slot_ = to;
        VirtualProtect(slot_, sizeof to, was, &was);
    }
    void** const slot_;
    void* const original_;
};

// A stand-in that fails as the system does, with `error` and a result of FALSE, 0 or null.
template <DWORD error, typename Result, typename... Arguments>
Result WINAPI Failing(Arguments...) {
    SetLastError(error);
    return Result{};
}
template <DWORD error, typename Result, typename... Arguments>
constexpr auto FailingAs(Result(WINAPI*)(Arguments...)) {
    return &Failing<error, Result, Arguments...>;
}
