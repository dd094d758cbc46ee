// Functions that the system or another module calls must not let an exception out (out of memory,
// in practice): these run such a call and turn a failure into a plain result.
#pragma once

// Runs `call`; when it throws, the result is `fallback`.
template <typename R, typename F>
R NoThrow(R fallback, F&& call) {
    try {
        return call();
    } catch (...) {
        return fallback;
    }
}
template <typename F>
void NoThrow(F&& call) {
    try {
        call();
    } catch (...) {
    }
}
