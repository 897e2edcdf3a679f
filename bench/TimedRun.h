#pragma once

// Starting a program from a benchmark and timing it from start to end.

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct TTimedRunOptions {
    // Standard output is collected here when given, else thrown away.
    std::string* Output = nullptr;
    // A file to read standard input from; empty: this program's own.
    std::string Input;
    // Standard error thrown away too.
    bool Quiet = false;
    // The exit status (-1 for a signal) is returned here when given; without it a failure throws.
    int* Status = nullptr;
};

// Runs a program (looked up on PATH) and waits for it; its wall time, reading its output included.
inline double TimedRun(const std::vector<std::string>& args, const TTimedRunOptions& options = {}) {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.Input.empty())
        posix_spawn_file_actions_addopen(&actions, 0, options.Input.c_str(), O_RDONLY, 0);
    if (options.Output)
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (options.Quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
    }
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) {
        if (options.Output)
            options.Output->append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    const double elapsed = Seconds(Clock::now() - start);
    const int status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (options.Status)
        *options.Status = status;
    else if (status != 0)
        throw std::runtime_error(args[0] + " failed");
    return elapsed;
}

} // namespace bench
