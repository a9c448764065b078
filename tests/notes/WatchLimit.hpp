#pragma once

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

namespace notes::testing {

/// What `withWatchLimit` returns where user namespaces are not allowed.
inline constexpr int cannotLowerTheLimit = 77;

/// Writes the per-user limit of watches of the user namespace the process is in.
inline bool setWatchLimit(int watches) {
    return static_cast<bool>(std::ofstream("/proc/sys/user/max_inotify_watches")
                             << watches << std::flush);
}

/// Runs `body` in a child process in a user namespace of its own, where the per-user limit of
/// watches may be lowered without touching the machine's; returns its exit status, or
/// `cannotLowerTheLimit`. `meanwhile`, when given, runs in this process with the child's id.
/// Call it before the test starts threads of its own.
inline int withWatchLimit(int watches, const std::function<int()>& body,
                          const std::function<void(pid_t)>& meanwhile = {}) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWUSER) != 0 || !setWatchLimit(watches))
            ::_exit(cannotLowerTheLimit);
        ::_exit(body());
    }
    if (meanwhile)
        meanwhile(child);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace notes::testing
