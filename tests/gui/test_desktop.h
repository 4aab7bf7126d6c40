// The shipped window rules on an in-memory screen that plays a script of the user's steps. A browse step answers the
// Open dialog its click opens, and may first act on the other windows, which take input while that dialog is up; a
// message box is read and dismissed.
#pragma once

#include <functional>

#include "app.h"
#include "controls.h"
#include "fake_system.h"

class TestDesktop;

inline bool operator<(Control a, Control b) { return std::pair(a.window, a.id) < std::pair(b.window, b.id); }

struct Step {
    enum Kind { Click, Press, Close, Check } kind;
    Control control{WindowId::Main, 0};
    bool browse = false;
    std::optional<std::wstring> chosen{};       // the file chosen in the Open dialog; none: cancelled
    std::vector<Step> meanwhile{};              // done while that dialog is up
    std::function<void(TestDesktop&)> check{};  // asserts what the desktop shows now
};
inline Step Click(Control button) { return {Step::Click, button}; }
inline Step Browse(Control button, std::optional<std::wstring> chosen, std::vector<Step> meanwhile = {}) {
    return {Step::Click, button, true, std::move(chosen), std::move(meanwhile)};
}
inline Step Press(Control box) { return {Step::Press, box}; }  // F12
inline Step Close(WindowId window) { return {Step::Close, {window, 0}}; }
inline Step Check(std::function<void(TestDesktop&)> check) { return {.kind = Step::Check, .check = std::move(check)}; }

class TestDesktop final : public FakeSystem, public Screen {
public:
    std::map<Control, std::wstring> texts;  // each box's text
    std::map<WindowId, bool> enabled;
    std::optional<Control> focus;
    std::optional<int> exitStatus;  // once the program has ended
    App app{*this, *this, kMainWindow, kSetupWindow};

    void Run(std::vector<Step> script) {
        script_ = std::move(script);
        try {
            app.RunProgram();
            exitStatus = 0;  // no window left
        } catch (const ProgramEnded& end) {
            exitStatus = end.status;
        } catch (const ScriptRanOut&) {
            EXPECT_EQ(loops_, 1) << "the script ran out while a modal window waited";
        }
    }

    void Create(const WindowDef& window, ScreenEvents& events) override {
        events_[window.id] = Call("Create", &events);
        enabled[window.id] = true;
    }
    void Destroy(WindowId window) override {
        // The input comes back first, so that Windows activates another window of the launcher.
        for (const auto& [other, on] : enabled) EXPECT_TRUE(on || other == window || !events_.count(other));
        std::erase_if(texts, [&](const auto& entry) { return entry.first.window == window; });
        events_.erase(window);
    }
    void Show(WindowId) override { Call("Show", 0); }
    void Enable(WindowId window, bool on) override { enabled[window] = on; }
    void RunUntil(const std::function<bool()>& done) override {
        ++loops_;
        while (!done()) {
            if (next_ == script_.size()) throw ScriptRanOut{};
            Perform(script_[next_++]);
        }
        --loops_;
    }
    std::optional<std::wstring> ShowOpenDialog(WindowId, const FileDialogDef&, const std::wstring&) override {
        const Step* browse = std::exchange(browse_, nullptr);
        if (!browse) throw std::logic_error("an Open dialog that no step answers");
        for (const Step& step : browse->meanwhile) Perform(step);
        return browse->chosen;
    }
    std::wstring GetText(Control box) override { return texts[Call("GetText", box)]; }
    void SetText(Control box, const std::wstring& text) override { texts[Call("SetText", box)] = text; }
    void Focus(Control control) override { focus = Call("SetFocus", control); }

private:
    struct ScriptRanOut {};

    void Perform(const Step& step) {
        const WindowId window = step.control.window;
        if (step.kind == Step::Check) {
            step.check(*this);
        } else if (step.kind == Step::Close) {
            // Another program may close a window the user cannot reach.
            if (events_.count(window)) events_[window]->CloseRequested(window);
        } else if (!events_.count(window) || !app.IsVisible(window) || !enabled[window]) {
            ADD_FAILURE() << "the user cannot reach " << step.control.name << " now";
        } else if (step.kind == Step::Click) {
            browse_ = step.browse ? &step : nullptr;
            events_[window]->Clicked(step.control);
        } else {
            focus = step.control;
            events_[window]->KeyDown(step.control, Key::F12);
        }
    }

    std::vector<Step> script_;
    std::size_t next_ = 0;
    int loops_ = 0;                 // how many loops wait for the user, one inside the other
    const Step* browse_ = nullptr;  // the step whose click opens the next Open dialog
    std::map<WindowId, ScreenEvents*> events_;
};

// The next call of the system or screen operation fails, as the step after this one makes it.
inline Step Failing(const char* operation, PlatformFailure::Cause cause = {}) {
    return Check([operation, cause](TestDesktop& d) { d.FailOn(operation, 1, cause); });
}
inline Step Shows(Control box, std::wstring text) {
    return Check([box, text](TestDesktop& d) { EXPECT_EQ(d.texts[box], text) << box.name; });
}
