#include "platform/RunProcess.h"

#include "platform/CommandLine.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ndlemo::platform {

namespace {
// The descriptor number the child finds its status pipe under.
constexpr int ChildStatusFd = 3;

class TPipe {
public:
    TPipe() {
        if (pipe2(m_Fd.data(), O_CLOEXEC) != 0)
            m_Fd = {-1, -1};
    }
    ~TPipe() {
        CloseRead();
        CloseWrite();
    }
    TPipe(const TPipe&) = delete;
    TPipe& operator=(const TPipe&) = delete;

    [[nodiscard]] bool Valid() const { return m_Fd[0] >= 0; }
    [[nodiscard]] int Read() const { return m_Fd[0]; }
    [[nodiscard]] int Write() const { return m_Fd[1]; }
    void CloseRead() { Close(m_Fd[0]); }
    void CloseWrite() { Close(m_Fd[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    std::array<int, 2> m_Fd{-1, -1};
};

// Passes output on to this program's own standard output and error.
class TInheritedOutput : public TProcessObserver {
public:
    void OnOutput(TProcessStream stream, std::string_view bytes) override {
        std::FILE* to = stream == TProcessStream::Output ? stdout : stderr;
        std::fwrite(bytes.data(), 1, bytes.size(), to);
        std::fflush(to);
    }
    bool OnWait() override { return true; }
};

// The program's environment with the status descriptor named in it.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> env;
    const std::string prefix = std::string(StatusFdVariable) + "=";
    for (char** e = environ; e && *e; ++e) {
        if (std::strncmp(*e, prefix.c_str(), prefix.size()) != 0)
            env.emplace_back(*e);
    }
    env.push_back(prefix + std::to_string(ChildStatusFd));
    return env;
}

// Reads what is there without blocking, up to about limit bytes; false at the end of the stream or on an error.
bool Drain(int fd, std::string& into, size_t limit) {
    std::array<char, 8192> buffer;
    while (into.size() < limit) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n > 0) {
            into.append(buffer.data(), static_cast<size_t>(n));
            continue;
        }
        if (n == 0)
            return false;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
    return true;
}

class TSpawnSetup {
public:
    TSpawnSetup() {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};
} // namespace

TRunResult RunProcess(std::string_view commandLine, const std::filesystem::path& currentDir, int /*showState*/,
                      TProcessObserver* observer) {
    TInheritedOutput inherited;
    if (!observer)
        observer = &inherited;

    TProgramAndRest split = SplitProgramName(commandLine);
    if (split.Program.empty())
        return {};
    std::filesystem::path program = split.Program;
    // A relative program path means the caller's current directory, not the new one.
    if (program.is_relative() && split.Program.find('/') != std::string::npos) {
        std::error_code ec;
        program = std::filesystem::absolute(program, ec);
    }

    TPipe out, err, status;
    if (!out.Valid() || !err.Valid() || !status.Valid())
        return {};

    TSpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.Actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.Actions, out.Write(), 1);
    posix_spawn_file_actions_adddup2(&setup.Actions, err.Write(), 2);
    posix_spawn_file_actions_adddup2(&setup.Actions, status.Write(), ChildStatusFd);
    // No other handle of this program is inherited.
    posix_spawn_file_actions_addclosefrom_np(&setup.Actions, ChildStatusFd + 1);
    posix_spawn_file_actions_addchdir_np(&setup.Actions, currentDir.c_str());

    sigset_t noSignals, allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&setup.Attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.Attributes, &allSignals);
    posix_spawnattr_setflags(&setup.Attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string programText = program.string();
    std::vector<char*> argv{programText.data()};
    if (!split.Rest.empty())
        argv.push_back(split.Rest.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = ChildEnvironment();
    std::vector<char*> envp;
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const bool searchPath = split.Program.find('/') == std::string::npos;
    const int spawned =
        searchPath
            ? posix_spawnp(&pid, programText.c_str(), &setup.Actions, &setup.Attributes, argv.data(), envp.data())
            : posix_spawn(&pid, programText.c_str(), &setup.Actions, &setup.Attributes, argv.data(), envp.data());
    out.CloseWrite();
    err.CloseWrite();
    status.CloseWrite();
    if (spawned != 0)
        return {};

    TRunResult result;
    result.Started = true;
    fcntl(out.Read(), F_SETFL, O_NONBLOCK);
    fcntl(err.Read(), F_SETFL, O_NONBLOCK);
    fcntl(status.Read(), F_SETFL, O_NONBLOCK);

    std::array<pollfd, 3> fds{pollfd{out.Read(), POLLIN, 0}, pollfd{err.Read(), POLLIN, 0},
                              pollfd{status.Read(), POLLIN, 0}};
    const TProcessStream streams[2] = {TProcessStream::Output, TProcessStream::Error};
    std::string statusText;
    bool ended = false;
    bool killed = false;
    int waitStatus = 0;
    bool waited = false;
    while (!ended) {
        const int ready = poll(fds.data(), fds.size(), PollMilliseconds);
        if (ready < 0 && errno != EINTR)
            break;
        for (size_t k = 0; k < fds.size(); ++k) {
            if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            std::string bytes;
            // A flood of output must not keep the window from being painted.
            const bool open = Drain(fds[k].fd, bytes, 65536);
            if (k < 2 && !bytes.empty())
                observer->OnOutput(streams[k], bytes);
            else if (k == 2)
                statusText += bytes;
            if (!open)
                fds[k].fd = -1;
        }
        // A grandchild may keep the pipes open after the process itself has ended, so its end is asked for.
        const pid_t w = waitpid(pid, &waitStatus, WNOHANG);
        if (w == pid) {
            waited = true;
            ended = true;
        } else if (w < 0 && errno != EINTR) {
            ended = true;
        }
        if (!observer->OnWait() && !killed && !ended) {
            kill(-pid, SIGKILL);
            killed = true;
        }
    }
    // What the process wrote just before it ended.
    for (size_t k = 0; k < fds.size(); ++k) {
        if (fds[k].fd < 0)
            continue;
        std::string bytes;
        Drain(fds[k].fd, bytes, 1 << 20);
        if (k < 2 && !bytes.empty())
            observer->OnOutput(streams[k], bytes);
        else if (k == 2)
            statusText += bytes;
    }
    if (!waited) {
        result.ExitCode = -1;
        return result;
    }
    if (WIFEXITED(waitStatus)) {
        result.ExitCode = WEXITSTATUS(waitStatus);
        int32_t reported = 0;
        const char* first = statusText.data();
        const char* last = first + statusText.size();
        auto [end, ec] = std::from_chars(first, last, reported);
        if (!statusText.empty() && ec == std::errc() && end == last)
            result.ExitCode = reported;
    } else if (WIFSIGNALED(waitStatus)) {
        result.ExitCode = SignalExitBase + WTERMSIG(waitStatus);
    }
    return result;
}

} // namespace ndlemo::platform
