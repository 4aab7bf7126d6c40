// The owners of what Windows hands out and wants back: each gives it back on
// every path out of its scope, so no call site writes a release of its own.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace win32 {

template <auto Release>
struct Releaser {
    template <typename Handle>
    void operator()(Handle handle) const {
        Release(handle);
    }
};

// A process or thread handle.
using UniqueHandle = std::unique_ptr<void, Releaser<CloseHandle>>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, Releaser<DeleteObject>>;
// Text that Windows allocated with LocalAlloc (FormatMessageW's).
using LocalText = std::unique_ptr<wchar_t, Releaser<LocalFree>>;

// The whole screen's device context.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace win32
