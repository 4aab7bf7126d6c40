// The launcher's named values as the Win32 functions take them.
#pragma once

#include <windows.h>

#include "platform_ops.h"
#include "screen.h"
#include "window_table.h"

namespace win32 {

inline Key KeyOf(WPARAM virtualKey) { return virtualKey == VK_F12 ? Key::F12 : Key::Other; }
inline int FontWeightOf(FontWeight weight) { return weight == FontWeight::Bold ? FW_BOLD : FW_NORMAL; }
inline BYTE CharsetOf(Charset charset) { return charset == Charset::Cyrillic ? RUSSIAN_CHARSET : DEFAULT_CHARSET; }

}  // namespace win32
