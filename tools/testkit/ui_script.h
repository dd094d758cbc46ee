// Scripts for tests that run a real modal window in their own process: the steps run on the same
// thread, from a thread timer that the modal loop keeps serving, so they see every window without
// any race.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// A step is tried every 30 ms until it returns true; then the next one begins.
using UiStep = std::function<bool()>;

// Calls `run` (which returns when its modal window has closed) with the steps running meanwhile.
// A step still not done after about ten seconds, or a window still open ten seconds after the last
// step, fails the test; then `giveUp` must end whatever is open so that `run` returns.
void RunWithSteps(const std::function<void()>& run, std::vector<UiStep> steps, const std::function<void()>& giveUp);

// A step given the open dialog whose caption the script names, or nullptr while none is open.
using DialogStep = std::function<bool(HWND dialog)>;

// RunWithSteps for a dialog known by its caption; the dialog must be gone when `run` returns.
void RunWithDialogSteps(const std::function<void()>& run,
                        const wchar_t* caption,
                        std::vector<DialogStep> steps,
                        const std::function<void(HWND dialog)>& giveUp);

// A step that is done once `milliseconds` have passed since it was first tried.
UiStep Pause(int milliseconds);
