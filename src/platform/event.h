// What the platform tells a handler about the event it runs for.
#pragma once

struct Event {
    int keyCode = 0;  // key-down only; F12 is 123
    int shift = 0;    // 1 Shift, 2 Ctrl, 4 Alt
};
