#pragma once

// What the installation tests share: running a command with its output caught, a program left running, an X
// server of their own, and a look at an installation directory.

#include "TestData.h"
#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ndlemo::test {

namespace fs = std::filesystem;

// Changes to the test's own environment: a value sets the variable, nullopt removes it.
using TEnvChanges = std::map<std::string, std::optional<std::string>>;

struct TCommandResult {
    int Status = -1;    // the exit status; -1 when the command did not start or did not exit normally
    std::string Output; // standard output and standard error together
};

inline std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class TSpawnedProcess;

namespace detail {
inline std::vector<std::string> Environment(const TEnvChanges& changes) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const size_t eq = entry.find('=');
        if (eq != std::string::npos)
            vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value)
            vars[name] = *value;
        else
            vars.erase(name);
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : vars)
        result.push_back(name + "=" + value);
    return result;
}

// Starts argv[0] (looked up in PATH when it has no slash) in dir (empty: the current one) with its output in
// outputFile (empty: /dev/null); returns the process id, or -1.
inline pid_t Spawn(const std::vector<std::string>& argv, const TEnvChanges& env, const fs::path& dir,
                   const fs::path& outputFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = outputFile.empty() ? std::string("/dev/null") : outputFile.string();
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!dir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    std::vector<std::string> args = argv;
    std::vector<char*> rawArgs;
    for (auto& a : args)
        rawArgs.push_back(a.data());
    rawArgs.push_back(nullptr);
    std::vector<std::string> vars = Environment(env);
    std::vector<char*> rawVars;
    for (auto& v : vars)
        rawVars.push_back(v.data());
    rawVars.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, rawArgs.data(), rawVars.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}
} // namespace detail

// Runs a command to its end.
inline TCommandResult RunCommand(const std::vector<std::string>& argv, const TEnvChanges& env = {},
                                 const fs::path& dir = {}) {
    TCommandResult result;
    TTestTempDir scratch("command");
    const fs::path output = scratch.Path() / "output";
    const pid_t pid = detail::Spawn(argv, env, dir, output);
    if (pid < 0) {
        result.Output = "cannot start " + argv[0];
        return result;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.Status = WEXITSTATUS(status);
    result.Output = ReadWholeFile(output);
    return result;
}

// A program left running until the test ends it; killed at the end of the scope.
class TSpawnedProcess {
public:
    TSpawnedProcess(const std::vector<std::string>& argv, const TEnvChanges& env, const fs::path& dir = {}) {
        m_Pid = detail::Spawn(argv, env, dir, {});
    }
    ~TSpawnedProcess() { Kill(); }
    TSpawnedProcess(const TSpawnedProcess&) = delete;
    TSpawnedProcess& operator=(const TSpawnedProcess&) = delete;

    [[nodiscard]] pid_t Pid() const { return m_Pid; }
    [[nodiscard]] bool Started() const { return m_Pid > 0; }
    // True while the process has not ended.
    bool Running() {
        if (m_Pid <= 0)
            return false;
        int status = 0;
        if (waitpid(m_Pid, &status, WNOHANG) == 0)
            return true;
        m_Pid = -1;
        return false;
    }
    void Kill() {
        if (m_Pid > 0) {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, nullptr, 0);
            m_Pid = -1;
        }
    }

private:
    pid_t m_Pid = -1;
};

// An X server of the test's own (Xvfb), on a display number it picks itself.
class TXvfb {
public:
    TXvfb() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> args = {"Xvfb",    "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp",
                                         "-screen", "0",          "1024x768x24"};
        std::vector<char*> rawArgs;
        for (auto& a : args)
            rawArgs.push_back(a.data());
        rawArgs.push_back(nullptr);
        if (posix_spawnp(&m_Pid, "Xvfb", &actions, nullptr, rawArgs.data(), environ) != 0)
            m_Pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        // The server writes its display number when it accepts connections; end of file when it failed.
        std::string number;
        char c = 0;
        while (m_Pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty())
            m_Display = ":" + number;
    }
    ~TXvfb() {
        if (m_Pid > 0) {
            kill(m_Pid, SIGTERM);
            waitpid(m_Pid, nullptr, 0);
        }
    }
    TXvfb(const TXvfb&) = delete;
    TXvfb& operator=(const TXvfb&) = delete;

    // ":N", empty when the server did not start.
    [[nodiscard]] const std::string& Display() const { return m_Display; }

private:
    pid_t m_Pid = -1;
    std::string m_Display;
};

// The id of a shown top-level window with exactly this title, empty when there is none.
inline std::string FindShownWindow(const std::string& display, const std::string& title) {
    const TEnvChanges env = {{"DISPLAY", display}};
    const TCommandResult tree = RunCommand({"xwininfo", "-root", "-tree"}, env);
    std::istringstream lines(tree.Output);
    const std::string needle = "\"" + title + "\": (";
    for (std::string line; std::getline(lines, line);) {
        if (line.find(needle) == std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string id;
        fields >> id;
        if (RunCommand({"xwininfo", "-id", id}, env).Output.find("Map State: IsViewable") != std::string::npos)
            return id;
    }
    return {};
}

// Waits until the program shows a window with the title, or ends, or a minute passes (a bound for a broken
// start, not a measure); returns the window id, empty when none was shown.
inline std::string WaitForWindow(TSpawnedProcess& program, const std::string& display, const std::string& title) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (program.Running() && std::chrono::steady_clock::now() < giveUp) {
        std::string id = FindShownWindow(display, title);
        if (!id.empty())
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return {};
}

// The environment of a program started from an installation: a home and a runtime directory of the test's own,
// so that nothing lands in the real home and the single-instance lock is the test's.
inline TEnvChanges UserEnvironment(const fs::path& scratch) {
    fs::create_directories(scratch / "home");
    fs::create_directories(scratch / "run");
    fs::permissions(scratch / "run", fs::perms::owner_all, fs::perm_options::replace);
    return {{"HOME", (scratch / "home").string()},
            {"XDG_RUNTIME_DIR", (scratch / "run").string()},
            {"XDG_DATA_HOME", std::nullopt},
            {"XDG_CONFIG_HOME", std::nullopt},
            {"NDLEMO_DESKTOP_ENTRY", std::nullopt}};
}

// Starts the installed program under an X server of the test's own and checks that it shows its login window with
// the program's icon and keeps running.
inline void ExpectStartsUnderXvfb(const fs::path& program, const fs::path& scratch) {
    TXvfb x;
    ASSERT_FALSE(x.Display().empty()) << "Xvfb did not start";
    TEnvChanges env = UserEnvironment(scratch);
    env["DISPLAY"] = x.Display();
    env["QT_QPA_PLATFORM"] = std::nullopt;
    // Started from elsewhere: the program finds its directory by itself.
    TSpawnedProcess running({program.string()}, env, "/");
    ASSERT_TRUE(running.Started()) << program;
    const std::string window = WaitForWindow(running, x.Display(), "ND LEMO");
    ASSERT_FALSE(window.empty()) << "no login window \"ND LEMO\" was shown";
    EXPECT_TRUE(running.Running()) << "the program ended";
    // The window carries an icon (Qt sets none unless the program gives one), the first one 16 x 16.
    const TCommandResult icon =
        RunCommand({"xprop", "-id", window, "-notype", "-f", "_NET_WM_ICON", "32c", "=$0,$1", "_NET_WM_ICON"},
                   {{"DISPLAY", x.Display()}});
    EXPECT_EQ(icon.Output, "_NET_WM_ICON=16,16");
    const TCommandResult wmClass = RunCommand({"xprop", "-id", window, "WM_CLASS"}, {{"DISPLAY", x.Display()}});
    // The desktop entry's StartupWMClass.
    EXPECT_NE(wmClass.Output.find("\"NdLemo\""), std::string::npos) << wmClass.Output;
    EXPECT_TRUE(running.Running()) << "the program ended";
}

// The PNG's width and height from its header, {0, 0} when it is no PNG.
inline std::pair<int, int> PngSize(const fs::path& file) {
    const std::string bytes = ReadWholeFile(file);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {be32(16), be32(20)};
}

// The names in a space-separated list.
inline std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

} // namespace ndlemo::test
