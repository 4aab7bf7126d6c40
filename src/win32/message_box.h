// What the user is told: the launch failure and fatal errors.
#pragma once

#include <string>

#include "messages.h"
#include "platform_ops.h"

namespace win32 {

void ShowMessage(const std::wstring& text, MessageKind kind);
// Tells the user what failed, then ends the process with status 1. Usable
// before any window exists and from any depth of window code.
[[noreturn]] void ReportFatal(const PlatformFailure& failure);

// Runs window code that Windows called: nothing may unwind through Windows'
// own frames, so whatever escapes is reported as fatal here.
template <typename Body>
auto NoThrow(Body body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const PlatformFailure& failure) {
        ReportFatal(failure);
    } catch (...) {
        ReportFatal({kInternalError, {}});
    }
}

}  // namespace win32
