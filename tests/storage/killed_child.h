// Running work in a child process that is killed at a chosen system call.
#pragma once

#include <functional>

namespace kumoji::test {

// Runs Work in a child process that is stepped system call by system call and killed at its
// Stop-th stop (each call stops on entry and on exit). True when Work finished before that
// stop; a failure is added when the child cannot be traced.
bool RunKilledAt(const std::function<void()>& Work, int Stop);

} // namespace kumoji::test
