#include "app.h"

#include <exception>

#include "messages.h"
#include "unicode.h"

App::App(PlatformOps& platform, Screen& screen, const WindowDef& mainWindow, const WindowDef& setupWindow)
    : ops(platform), windows(screen, mainWindow, setupWindow, *this) {}

void App::Run() {
    // The run itself is unguarded: a window that cannot be created is fatal.
    constexpr Handler kStartWindow{[](App& app, const Event&) { app.windows.Run(WindowId::Main); }};
    Run(kStartWindow, {});
}

void App::Run(const Handler& handler, const Event& event) {
    try {
        try {
            handler.run(*this, event);
            return;
        } catch (const PlatformFailure& failure) {
            if (!handler.answerFailure) ops.Fatal(failure);
        }
        handler.answerFailure(*this);
    } catch (const PlatformFailure& failure) {
        ops.Fatal(failure);
    } catch (const std::exception& error) {
        ops.Fatal({kInternalError, DecodeUtf8(error.what()).value_or(L"")});
    }
}
