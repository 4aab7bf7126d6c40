#include "growing_buffer.h"

#include <algorithm>
#include <vector>

namespace win32 {

std::wstring GrowingBuffer(DWORD (*call)(const wchar_t*, wchar_t*, DWORD), const wchar_t* argument) {
    constexpr std::size_t kMost = 1 << 16;  // beyond any path or environment value
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = call(argument, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        if (buffer.size() >= kMost) return {};
        buffer.resize(std::max<std::size_t>(length, buffer.size() * 2));
    }
}

std::wstring CurrentFolder() {
    return GrowingBuffer(
        [](const wchar_t*, wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

}  // namespace win32
