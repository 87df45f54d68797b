// A child process stepped through its system calls with ptrace and killed at one of them.
#include "tests/storage/killed_child.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kumoji::test {

bool RunKilledAt(const std::function<void()>& Work, int Stop) {
    const pid_t Child = ::fork();
    if (Child < 0) {
        ADD_FAILURE() << "fork failed";
        return true;
    }
    if (Child == 0) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) {
            ::_exit(77);
        }
        ::raise(SIGSTOP);
        Work();
        ::_exit(0);
    }
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    if (!WIFSTOPPED(Status)) {
        ADD_FAILURE() << "the child process cannot be traced";
        return true;
    }
    ::ptrace(PTRACE_SETOPTIONS, Child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    for (int Stops = 0;;) {
        if (Stops == Stop) {
            ::kill(Child, SIGKILL);
            ::waitpid(Child, &Status, 0);
            return false;
        }
        ::ptrace(PTRACE_SYSCALL, Child, nullptr, nullptr);
        ::waitpid(Child, &Status, 0);
        if (WIFEXITED(Status) || WIFSIGNALED(Status)) {
            return true;
        }
        Stops += WIFSTOPPED(Status) && WSTOPSIG(Status) == (SIGTRAP | 0x80);
    }
}

} // namespace kumoji::test
