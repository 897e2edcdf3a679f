#pragma once

// A real OpenSSH server on 127.0.0.1 and an installation laid out for SCP around it, for the end-to-end tests of the
// transfer and, later, of the send runs. Header-only, so that any test program can use it.

#include "TestData.h"
#include "platform/Platform.h"
#include "transfer/TToolConsole.h"
#include "transfer/TTransferContext.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ndlemo::test {

// Runs a set-up command through the shell; a failure ends the test set-up with the command in the message.
inline void RunSetup(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("set-up command failed: " + command);
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A port on 127.0.0.1 that nothing listens on at the moment.
inline int FreeLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    if (port == 0)
        throw std::runtime_error("no free port on 127.0.0.1");
    return port;
}

inline bool Accepts(int port) {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return ok;
}

// The server side runs "/usr/local/bin/md5sum". While any test needs it, it is a link to /usr/bin/md5sum; the last
// test to finish removes the link again. One that was there before the tests is never touched. Test processes run in
// parallel, so a lock file decides: every user holds it shared, whoever gets it exclusively may create or remove.
class TServerMd5sum {
public:
    static constexpr const char* Link = "/usr/local/bin/md5sum";

    TServerMd5sum() {
        m_Lock = open(LockFile, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_Lock < 0)
            throw std::runtime_error(std::string("cannot open ") + LockFile);
        for (;;) {
            flock(m_Lock, LOCK_EX);
            std::error_code ec;
            if (!std::filesystem::exists(std::filesystem::symlink_status(Link, ec))) {
                std::filesystem::create_directories(std::filesystem::path(Link).parent_path(), ec);
                if (symlink("/usr/bin/md5sum", Link) != 0)
                    throw std::runtime_error(std::string("cannot create ") + Link);
                close(open(Marker, O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
            }
            // Turning the lock shared is not atomic: another user may have removed the link in between.
            flock(m_Lock, LOCK_SH);
            if (std::filesystem::exists(std::filesystem::symlink_status(Link, ec)))
                break;
        }
    }
    ~TServerMd5sum() {
        flock(m_Lock, LOCK_UN);
        if (flock(m_Lock, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ec;
            if (std::filesystem::exists(Marker, ec)) {
                unlink(Link);
                unlink(Marker);
            }
        }
        close(m_Lock);
    }
    TServerMd5sum(const TServerMd5sum&) = delete;
    TServerMd5sum& operator=(const TServerMd5sum&) = delete;

private:
    static constexpr const char* LockFile = "/tmp/ndlemo-test-md5sum.lock";
    // Present while the link is the tests' own.
    static constexpr const char* Marker = "/tmp/ndlemo-test-md5sum.ours";
    int m_Lock = -1;
};

// HOME points to a directory of the test's own while it lives: PuTTY keeps its host-key cache there.
class THomeOverride {
public:
    explicit THomeOverride(const std::filesystem::path& home) {
        if (const char* old = std::getenv("HOME"))
            m_Saved = old;
        std::filesystem::create_directories(home);
        setenv("HOME", home.c_str(), 1);
    }
    ~THomeOverride() {
        if (m_Saved)
            setenv("HOME", m_Saved->c_str(), 1);
        else
            unsetenv("HOME");
    }
    THomeOverride(const THomeOverride&) = delete;
    THomeOverride& operator=(const THomeOverride&) = delete;

private:
    std::optional<std::string> m_Saved;
};

// OpenSSH's sshd in the foreground on 127.0.0.1 and a free port, with its own host key, letting the current user in
// with one key only (no passwords). Its files lie in dir; PuttyKey is the client key in PuTTY's format.
class TSshTestServer {
public:
    explicit TSshTestServer(std::filesystem::path dir) : m_Dir(std::move(dir)) {
        std::filesystem::create_directories(m_Dir);
        const std::string d = m_Dir.string();
        RunSetup("ssh-keygen -q -t ed25519 -N '' -f '" + d + "/host_ed25519'");
        RunSetup("ssh-keygen -q -t ed25519 -N '' -f '" + d + "/client'");
        RunSetup("puttygen '" + d + "/client' -O private -o '" + d + "/client.ppk'");
        RunSetup("puttygen -L '" + d + "/client.ppk' > '" + d + "/authorized_keys'");
        m_User = platform::UserName();
        m_Port = FreeLoopbackPort();
    }
    ~TSshTestServer() { Stop(); }
    TSshTestServer(const TSshTestServer&) = delete;
    TSshTestServer& operator=(const TSshTestServer&) = delete;

    // Starts the server and waits until it accepts connections (another free port when its port was taken).
    void Start() {
        std::error_code ec;
        std::filesystem::create_directories("/run/sshd", ec);
        for (int attempt = 0; attempt < 5; ++attempt) {
            WriteConfig();
            Spawn();
            for (int wait = 0; wait < 500; ++wait) {
                if (Accepts(m_Port))
                    return;
                int status = 0;
                if (waitpid(m_Pid, &status, WNOHANG) == m_Pid) {
                    m_Pid = -1;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            Stop();
            m_Port = FreeLoopbackPort();
        }
        throw std::runtime_error("sshd did not start; see " + (m_Dir / "sshd.log").string());
    }
    void Stop() {
        if (m_Pid <= 0)
            return;
        kill(m_Pid, SIGTERM);
        int status = 0;
        waitpid(m_Pid, &status, 0);
        m_Pid = -1;
    }

    [[nodiscard]] int Port() const { return m_Port; }
    [[nodiscard]] const std::string& User() const { return m_User; }
    [[nodiscard]] std::filesystem::path PuttyKey() const { return m_Dir / "client.ppk"; }

private:
    void WriteConfig() const {
        const std::string d = m_Dir.string();
        WriteBytes(m_Dir / "sshd_config", "Port " + std::to_string(m_Port) +
                                              "\n"
                                              "ListenAddress 127.0.0.1\n"
                                              "HostKey " +
                                              d + "/host_ed25519\nPidFile " + d +
                                              "/sshd.pid\n"
                                              "AuthorizedKeysFile " +
                                              d +
                                              "/authorized_keys\n"
                                              "PermitRootLogin prohibit-password\n"
                                              "PubkeyAuthentication yes\n"
                                              "PasswordAuthentication no\n"
                                              "KbdInteractiveAuthentication no\n"
                                              "UsePAM no\n"
                                              "StrictModes no\n"
                                              "Subsystem sftp internal-sftp\n");
    }
    void Spawn() {
        const std::string config = (m_Dir / "sshd_config").string();
        const std::string log = (m_Dir / "sshd.log").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<std::string> args{"/usr/sbin/sshd", "-D", "-e", "-f", config};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = posix_spawn(&m_Pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            throw std::runtime_error("cannot start /usr/sbin/sshd");
    }

    std::filesystem::path m_Dir;
    std::string m_User;
    int m_Port = 0;
    pid_t m_Pid = -1;
};

// Collects what the tools showed, without a window.
class TRecordingToolConsole : public TToolConsole {
public:
    void Open(std::string_view toolName) override { Tools.emplace_back(toolName); }
    void Output(platform::TProcessStream, std::string_view bytes) override { Shown += bytes; }
    bool StopRequested() override { return false; }
    void Close() override {}

    std::vector<std::string> Tools;
    std::string Shown;
};

// A program directory laid out as the installation lays it out for SCP: ndlemo-cmd beside the program; in out the
// tools linked under the names of the command lines, "Nofile" holding "y", the key file; out/zaloha; pracovni; the
// archive and upload directories; the server's directories under srv. Context() gives what a transfer needs, with
// the run log and the tool console recorded.
class TScpInstallation {
public:
    explicit TScpInstallation(const std::filesystem::path& root, const TSshTestServer& server,
                              const std::string& pkf = "lemo.ppk")
        : ProgramDir(root / "program"), DirOut(ProgramDir / "out"), DirZaloha(DirOut / "zaloha"),
          DirPracovni(ProgramDir / "pracovni"), DirOdeslane(root / "odeslane"), DirUpload(root / "upload"),
          ServerDir(root / "srv") {
        namespace fs = std::filesystem;
        for (const auto& dir : {DirZaloha, DirPracovni, DirOdeslane, DirUpload, ServerDir / "in", ServerDir / "test"})
            fs::create_directories(dir);
        fs::create_symlink(std::string(NDLEMO_BIN_DIR) + "/ndlemo-cmd", ProgramDir / "ndlemo-cmd");
        fs::create_symlink("/usr/bin/pscp", DirOut / "pscp.exe");
        fs::create_symlink("/usr/bin/plink", DirOut / "plink.exe");
        fs::create_symlink("/usr/bin/md5sum", DirOut / "md5sum.exe");
        WriteBytes(DirOut / "Nofile", "y\n");
        fs::create_directories((DirOut / pkf).parent_path());
        fs::copy_file(server.PuttyKey(), DirOut / pkf);

        Prenos.Host = "127.0.0.1";
        Prenos.Port = std::to_string(server.Port());
        Prenos.User = server.User();
        Prenos.Pkf = pkf;
        Prenos.OutDir = (ServerDir / "in").string() + "/";
        Prenos.TestSpojDir = (ServerDir / "test").string();
        Prenos.TestSpojFileName = "test.txt";
    }

    [[nodiscard]] TTransferContext Context() {
        TTransferContext c;
        c.ProgramDir = ProgramDir;
        c.DirOut = DirOut;
        c.DirZaloha = DirZaloha;
        c.Scp = true;
        c.UploadOutDir = DirUpload.string();
        c.DirOdeslane = DirOdeslane.string();
        c.UserName = "novák";
        c.Pracoviste = "LM01";
        c.Prenos = Prenos;
        c.Log = [this](int level, const std::string& text) { LogLines.push_back(std::to_string(level) + " " + text); };
        c.Console = &Console;
        return c;
    }

    // Files in a directory, by name, sorted; directories end in "/".
    [[nodiscard]] static std::vector<std::string> Listing(const std::filesystem::path& dir) {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
            names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path ProgramDir, DirOut, DirZaloha, DirPracovni, DirOdeslane, DirUpload, ServerDir;
    TransferSettings Prenos;
    std::vector<std::string> LogLines;
    TRecordingToolConsole Console;
};

} // namespace ndlemo::test
