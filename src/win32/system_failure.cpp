#include "system_failure.h"

#include "decimal.h"
#include "messages.h"
#include "owners.h"

// Windows' own headers name it; MinGW-w64's lack it.
#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740L
#endif

namespace win32 {

std::wstring SystemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const LocalText owned(text);
    std::wstring result = length ? std::wstring(text, length) : Fill(kErrorCode, Decimal(error));
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) {
        result.pop_back();
    }
    return result;
}

PlatformFailure SystemFailure(std::wstring action, DWORD error) {
    using enum PlatformFailure::Cause;
    const auto cause = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? Held
                       : error == ERROR_ACCESS_DENIED                                    ? Denied
                       : error == ERROR_ELEVATION_REQUIRED                               ? NeedsElevation
                                                                                         : Other;
    return {std::move(action), SystemErrorText(error), cause};
}

}  // namespace win32
