#include "core/handler.h"

#include <exception>

namespace {

void Fatal(App& app, const std::exception& error) {
    const std::string what = error.what();
    app.ops.Fatal({L"Внутренняя ошибка программы.", std::wstring(what.begin(), what.end())});
}

}  // namespace

void RunHandler(App& app, const Handler& handler, const Event& event) {
    try {
        try {
            handler.steps(app, event);
            return;
        } catch (const PlatformFailure& failure) {
            if (!handler.answer) app.ops.Fatal(failure);
        }
        handler.answer(app);
    } catch (const PlatformFailure& failure) {
        app.ops.Fatal(failure);
    } catch (const std::exception& error) {
        Fatal(app, error);
    }
}
