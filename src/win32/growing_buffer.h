// A text that a Windows function writes into a buffer it is given the size of.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace win32 {

// Calls `call(buffer, size)` with a larger buffer until the text fits; empty
// when the function fails. Most such functions return the size they need when
// the buffer is too small, but GetModuleFileNameW returns the size it was
// given: the buffer at least doubles each time, so neither kind loops forever.
template <typename Call>
std::wstring GrowingBuffer(Call call) {
    constexpr std::size_t kMost = 1 << 16;  // beyond any path or environment value
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        if (buffer.size() >= kMost) return {};
        buffer.resize(std::max<std::size_t>(length, buffer.size() * 2));
    }
}

}  // namespace win32
