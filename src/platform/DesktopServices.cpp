#include "platform/DesktopServices.h"

#include "platform/DesktopEntry.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace ndlemo::platform {

namespace fs = std::filesystem;

namespace {
// The desktop's tools answer at once; one that hangs must not hold the window for ever.
constexpr std::chrono::seconds ToolTimeLimit{10};
// Larger files are no desktop entries.
constexpr std::streamsize EntrySizeLimit = 1 << 20;

bool IsExecutable(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && access(file.c_str(), X_OK) == 0;
}

// A name without a slash is looked up in PATH; a path must be absolute, since a relative one would depend on
// whatever the current directory is. Empty and relative PATH entries are skipped for the same reason.
std::optional<fs::path> FindProgram(const std::string& name) {
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string::npos) {
        const fs::path file(name);
        if (file.is_absolute() && IsExecutable(file))
            return file;
        return std::nullopt;
    }
    const char* variable = std::getenv("PATH");
    const std::string_view path = variable ? variable : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string_view::npos)
            end = path.size();
        const fs::path dir(path.substr(start, end - start));
        if (dir.is_absolute() && IsExecutable(dir / name))
            return dir / name;
        start = end + 1;
    }
    return std::nullopt;
}

class TSpawnSetup {
public:
    TSpawnSetup() {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
        sigset_t noSignals, allSignals;
        sigemptyset(&noSignals);
        sigfillset(&allSignals);
        posix_spawnattr_setsigmask(&Attributes, &noSignals);
        posix_spawnattr_setsigdefault(&Attributes, &allSignals);
        posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~TSpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    // Standard input and the given streams from the null device, and no other handle of this program.
    void NullStreams(bool output, bool error) {
        posix_spawn_file_actions_addopen(&Actions, 0, "/dev/null", O_RDONLY, 0);
        if (output)
            posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
        if (error)
            posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&Actions, 3);
    }

    // The program found, started with the arguments and the program's environment; 0 when it did not start.
    pid_t Spawn(const std::vector<std::string>& arguments) {
        if (arguments.empty())
            return 0;
        const std::optional<fs::path> program = FindProgram(arguments.front());
        if (!program)
            return 0;
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, program->c_str(), &Actions, &Attributes, argv.data(), environ) != 0)
            return 0;
        return pid;
    }

    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

// Waits for the process until the deadline; past it the process is ended with everything it started. True with
// the exit status when it ended by itself.
bool WaitUntil(pid_t pid, std::chrono::steady_clock::time_point deadline, int& status) {
    while (true) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return true;
        if (done < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return false;
        }
        poll(nullptr, 0, 20);
    }
}

// What a program writes to its standard output; none when it does not start, does not succeed or does not end
// within the time limit.
std::optional<std::string> ReadOutput(const std::vector<std::string>& arguments) {
    std::array<int, 2> pipe{-1, -1};
    if (pipe2(pipe.data(), O_CLOEXEC) != 0)
        return std::nullopt;
    TSpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.Actions, pipe[1], 1);
    setup.NullStreams(false, true);
    const pid_t pid = setup.Spawn(arguments);
    close(pipe[1]);
    if (pid == 0) {
        close(pipe[0]);
        return std::nullopt;
    }

    const auto deadline = std::chrono::steady_clock::now() + ToolTimeLimit;
    std::string output;
    bool open = true;
    while (open && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{pipe[0], POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0)
            continue;
        std::array<char, 4096> buffer;
        const ssize_t n = read(pipe[0], buffer.data(), buffer.size());
        if (n > 0)
            output.append(buffer.data(), static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            open = false;
    }
    close(pipe[0]);
    int status = 0;
    if (!WaitUntil(pid, deadline, status) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}

std::optional<std::string> ReadEntry(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<size_t>(EntrySizeLimit), '\0');
    in.read(text.data(), EntrySizeLimit);
    if (in.bad())
        return std::nullopt;
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

// The command of the entry that stands for the id: the first file found, usable or not, as the desktop itself
// takes it.
std::vector<std::string> EntryCommand(const std::string& id) {
    for (const fs::path& dir :
         DesktopDataDirs(std::getenv("XDG_DATA_HOME"), std::getenv("XDG_DATA_DIRS"), std::getenv("HOME"))) {
        for (const fs::path& file : DesktopFileCandidates(dir, id)) {
            const std::optional<std::string> text = ReadEntry(file);
            if (!text)
                continue;
            const std::optional<std::string> exec = DesktopEntryExec(*text);
            std::optional<std::vector<std::string>> command = exec ? SplitDesktopExec(*exec) : std::nullopt;
            if (!command)
                return {};
            const std::optional<fs::path> program = FindProgram(command->front());
            if (!program)
                return {};
            command->front() = program->string();
            return *command;
        }
    }
    return {};
}
} // namespace

std::vector<std::string> DefaultBrowserCommand() {
    const std::optional<std::string> output = ReadOutput({"xdg-settings", "get", "default-web-browser"});
    const std::string id = output ? DesktopFileId(*output) : std::string();
    if (id.empty())
        return {};
    return EntryCommand(id);
}

bool StartDetached(const std::vector<std::string>& arguments) {
    TSpawnSetup setup;
    setup.NullStreams(true, true);
    const pid_t pid = setup.Spawn(arguments);
    if (pid == 0)
        return false;
    // Only the exit is collected, whenever it comes, so that no finished process lingers.
    try {
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // The program runs all the same; it stays a zombie once it ends.
    }
    return true;
}

bool OpenWithDefaultHandler(const std::string& address) {
    return StartDetached({"xdg-open", address});
}

} // namespace ndlemo::platform
