// An event handler as the windows' tables name it: the steps that run for
// the event, and the answer to a failure of any of them. App::Run (app.h)
// is the one place that says what a failure means.
#pragma once

struct App;
struct Event;

struct Handler {
    void (*run)(App&, const Event&);
    // Guarded: runs instead of the remaining steps when one fails. Null:
    // unguarded, and a failure ends the program as a fatal error.
    void (*answerFailure)(App&) = nullptr;
};

// The answer of handlers whose failures change nothing (the browse buttons).
inline void IgnoreFailure(App&) {}
