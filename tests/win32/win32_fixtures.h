// Answers Wine never gives, forced at the system boundary: the test program's own import of a function points at a
// stand-in while a patch lasts, and late-bound functions are looked up through a stand-in for GetProcAddress.
#pragma once

#include <windows.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>

#include "late_bound.h"

class ImportPatch {
public:
    template <typename Function>
    ImportPatch(const char* name, Function standIn) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* headers =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const auto& table = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + table.VirtualAddress); dll->Name; ++dll) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
            for (; names->u1.AddressOfData && !slot_; ++names, ++slot) {
                const auto* named = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) && !std::strcmp(named->Name, name)) slot_ = slot;
            }
        }
        if (!slot_) throw std::runtime_error(std::string("the test program imports no ") + name);
        original_ = slot_->u1.Function;
        Point(reinterpret_cast<decltype(original_)>(standIn));
    }
    ~ImportPatch() { Point(original_); }
    // What the import pointed at before, for a stand-in that passes calls on. (A pointer taken as &Function reads
    // the patched import again: the compiler folds it into the call.)
    template <typename Function>
    Function Original() const {
        return reinterpret_cast<Function>(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

private:
    void Point(decltype(IMAGE_THUNK_DATA::u1.Function) to) {
        DWORD was = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &was);
        slot_->u1.Function = to;
        VirtualProtect(slot_, sizeof *slot_, was, &was);
    }
    IMAGE_THUNK_DATA* slot_ = nullptr;
    decltype(IMAGE_THUNK_DATA::u1.Function) original_ = 0;
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

// Late-bound functions found as stand-ins: GetProcAddress hands them out by name, any other as the system has it.
struct LateLookUp {
    static FARPROC WINAPI Find(HMODULE module, LPCSTR name) {
        return standIns.count(name) ? standIns.at(name) : real(module, name);
    }
    static inline std::map<std::string, FARPROC> standIns;
    static inline decltype(&GetProcAddress) real = nullptr;
};

// While it lasts, `entry`, the late-bound `name` of `library`, is looked up afresh and found as `standIn` (null:
// missing, as on an older Windows); afterwards afresh as the system has it.
template <typename Function>
class LateStandIn {
public:
    LateStandIn(win32::LateBound<Function>& entry, const wchar_t* library, const char* name, Function standIn)
        : entry_(entry), fresh_(library, name), name_(name), patch_("GetProcAddress", &LateLookUp::Find) {
        if (!LateLookUp::real) LateLookUp::real = patch_.Original<decltype(&GetProcAddress)>();
        LateLookUp::standIns[name] = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(standIn));
        entry_ = fresh_;
    }
    ~LateStandIn() {
        LateLookUp::standIns.erase(name_);
        entry_ = fresh_;
    }

private:
    win32::LateBound<Function>& entry_;
    const win32::LateBound<Function> fresh_;
    std::string name_;
    ImportPatch patch_;
};
