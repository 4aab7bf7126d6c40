// The end of the process after a fatal error, told to the user from anywhere
// in the program.
#pragma once

#include <string>

#include "platform_ops.h"

namespace win32 {

// Tells the user what failed, then ends the process with status 1. Usable
// before any window exists and from any depth of window code.
[[noreturn]] void ReportFatal(const PlatformFailure& failure);

// Runs window code that Windows called: nothing may unwind through Windows'
// own frames, so whatever escapes is reported as fatal here.
template <typename Body>
auto NoThrow(Body body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        ReportFatal(FailureOf(std::current_exception()));
    }
}

}  // namespace win32
