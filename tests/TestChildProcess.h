#pragma once

#include <csignal>
#include <cstdlib>
#include <exception>
#include <functional>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ndlemo::test {

// What a child process may be denied, so that a test sees a real failure of the system.
struct TChildLimits {
    // As an unprivileged user (when the tests run as root, who may read and write everything).
    bool Unprivileged = false;
    // The largest file the child may write, in bytes; writes beyond it fail (0: no limit).
    rlim_t MaxFileSize = 0;
};

// Runs the body in a forked child under the limits and returns its exit status (the body's result; 99 when
// it raised, 98 when the limits could not be set). The child ends with _exit, so nothing of the test
// framework runs twice.
inline int RunInChild(const TChildLimits& limits, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 98;
        if ((limits.Unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)))
            _exit(code);
        if (limits.MaxFileSize > 0) {
            std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the process
            const rlimit limit{limits.MaxFileSize, limits.MaxFileSize};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(code);
        }
        try {
            code = body();
        } catch (...) {
            code = 99;
        }
        _exit(code);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace ndlemo::test
