#include "tools/testkit/ui_script.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr UINT kTickMilliseconds = 30;
constexpr int kMostTries = 10000 / kTickMilliseconds;  // about ten seconds

struct Script {
    std::vector<UiStep> steps;
    size_t next = 0;
    int tries = 0;
    bool gaveUp = false;
    std::function<void()> giveUp;
};

Script* script = nullptr;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    Script& s = *script;
    if (s.gaveUp) {
        return;
    }
    // A step that stays undone, or a window that stays open after the last step, ends the run.
    if (++s.tries > kMostTries) {
        ADD_FAILURE() << (s.next < s.steps.size() ? "the script stalled at step " + std::to_string(s.next)
                                                  : std::string("the window stayed open after the last step"));
        s.next = s.steps.size();
        s.gaveUp = true;
        s.giveUp();
        return;
    }
    if (s.next >= s.steps.size()) {
        return;
    }
    // A step may open a modal window, inside which this timer fires again: mark the step as running.
    size_t current = s.next;
    s.next = s.steps.size();
    bool done = s.steps[current]();
    s.next = current + (done ? 1 : 0);
    if (done) {
        s.tries = 0;
    }
}

}  // namespace

void RunWithSteps(const std::function<void()>& run, std::vector<UiStep> steps, const std::function<void()>& giveUp) {
    Script s{std::move(steps), 0, 0, false, giveUp};
    script = &s;
    UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, RunStep);
    run();
    KillTimer(nullptr, timer);
    script = nullptr;
    EXPECT_EQ(s.next, s.steps.size()) << "the window closed before all steps ran";
}

void RunWithDialogSteps(const std::function<void()>& run,
                        const wchar_t* caption,
                        std::vector<DialogStep> steps,
                        const std::function<void(HWND dialog)>& giveUp) {
    auto openDialog = [caption] { return FindWindowW(L"#32770", caption); };
    std::vector<UiStep> uiSteps;
    for (DialogStep& step : steps) {
        uiSteps.push_back([step = std::move(step), openDialog] { return step(openDialog()); });
    }
    RunWithSteps(run, std::move(uiSteps), [&] { giveUp(openDialog()); });
    EXPECT_FALSE(openDialog()) << "the dialog stayed open";
}

UiStep Pause(int milliseconds) {
    auto start = std::make_shared<DWORD>(0);
    return [=] {
        if (*start == 0) {
            *start = GetTickCount() | 1;
        }
        return GetTickCount() - *start >= static_cast<DWORD>(milliseconds);
    };
}
