// How every event handler runs, and the one place that says what a failure
// inside it means.
//
// A guarded handler answers a failure of any of its steps with its own answer,
// the same for every cause. A failure in an unguarded handler, or in a guarded
// handler's answer, is fatal: the user is told and the process ends. A guard
// covers only its own steps: handlers that run inside a modal window or dialog
// it opened are dispatched, and guarded, on their own.
#pragma once

#include "core/app.h"
#include "platform/event.h"

struct Handler {
    void (*steps)(App&, const Event&) = nullptr;
    void (*answer)(App&) = nullptr;  // set: guarded; null: unguarded
};

void RunHandler(App& app, const Handler& handler, const Event& event);

// The answer of handlers whose failures change nothing (the browse buttons).
inline void IgnoreFailure(App&) {}
