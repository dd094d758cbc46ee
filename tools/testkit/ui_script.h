// Scripts for tests that run a real modal window in their own process: the steps run on the same
// thread, from a thread timer that the modal loop keeps serving, so they see every window without
// any race.
#pragma once

#include <functional>
#include <vector>

// A step is tried every 30 ms until it returns true; then the next one begins.
using UiStep = std::function<bool()>;

// Calls `run` (which returns when its modal window has closed) with the steps running meanwhile.
// A step still not done after about ten seconds, or a window still open ten seconds after the last
// step, fails the test; then `giveUp` must end whatever is open so that `run` returns.
void RunWithSteps(const std::function<void()>& run, std::vector<UiStep> steps, const std::function<void()>& giveUp);

// A step that is done once `milliseconds` have passed since it was first tried.
UiStep Pause(int milliseconds);
