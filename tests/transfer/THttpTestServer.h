#pragma once

// A real web server (python3's http.server) and a real proxy with Basic authentication (tinyproxy) on 127.0.0.1,
// a server that takes connections and never answers, a port that refuses them, and proxy variables of the
// environment that point nowhere, for the end-to-end tests of the information file. Header-only, so that any test
// program can use it.

#include "transfer/TSshTestServer.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace ndlemo::test {

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::istringstream in(ReadText(file));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A program run in the background with its output in a file, stopped with the object. Readiness is seen without
// connecting to it, so that a server's log holds only the tests' own connections.
class TBackgroundServer {
public:
    TBackgroundServer() = default;
    ~TBackgroundServer() { Stop(); }
    TBackgroundServer(const TBackgroundServer&) = delete;
    TBackgroundServer& operator=(const TBackgroundServer&) = delete;

    void Stop() {
        if (m_Pid <= 0)
            return;
        kill(m_Pid, SIGTERM);
        int status = 0;
        waitpid(m_Pid, &status, 0);
        m_Pid = -1;
    }

protected:
    // Runs args (the program found on PATH) until ready() holds; false when it ended first or never got ready.
    bool Launch(std::vector<std::string> args, const std::filesystem::path& output,
                const std::function<bool()>& ready) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int rc = posix_spawnp(&m_Pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            m_Pid = -1;
            throw std::runtime_error("cannot start " + args[0]);
        }
        for (int wait = 0; wait < 500; ++wait) {
            if (ready())
                return true;
            int status = 0;
            if (waitpid(m_Pid, &status, WNOHANG) == m_Pid) {
                m_Pid = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Stop();
        return false;
    }

private:
    pid_t m_Pid = -1;
};

// python3's http.server serving the files of Root() on 127.0.0.1, with a log of every request it receives. Beside
// the files it has answers of its own: "/loop" redirects to itself; "/short" announces 1000 bytes and sends 11; a
// request in the absolute form that only proxies receive ("GET http://...") is answered 407 whatever credentials it
// carries, as a proxy that refuses everyone.
class THttpTestServer : public TBackgroundServer {
public:
    // One received request: its target, the agent name and the proxy credentials it carried.
    struct TRequest {
        std::string Target;
        std::string UserAgent;
        std::string ProxyAuthorization;
    };

    explicit THttpTestServer(std::filesystem::path dir) : m_Dir(std::move(dir)) {
        std::filesystem::create_directories(Root());
        WriteBytes(m_Dir / "server.py", Script);
    }

    // The server takes a free port itself and names it in a file once it listens.
    void Start() {
        const std::filesystem::path portFile = m_Dir / "port";
        std::filesystem::remove(portFile);
        if (!Launch({Python(), (m_Dir / "server.py").string(), portFile.string(), Root().string(),
                     (m_Dir / "requests.log").string()},
                    m_Dir / "server.out", [&portFile] { return std::filesystem::exists(portFile); }))
            throw std::runtime_error("the web server did not start; see " + (m_Dir / "server.out").string());
        m_Port = std::stoi(ReadText(portFile));
    }

    [[nodiscard]] std::filesystem::path Root() const { return m_Dir / "www"; }
    // "127.0.0.1:port", the server part of its addresses.
    [[nodiscard]] std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_Port); }
    // "http://127.0.0.1:port" followed by the path.
    [[nodiscard]] std::string Url(const std::string& path) const { return "http://" + HostPort() + path; }

    void WriteFile(const std::string& name, const std::string& bytes) const { WriteBytes(Root() / name, bytes); }

    [[nodiscard]] std::vector<TRequest> Requests() const {
        std::vector<TRequest> requests;
        for (const std::string& line : ReadLines(m_Dir / "requests.log")) {
            TRequest request;
            std::istringstream fields(line);
            std::getline(fields, request.Target, '\t');
            std::getline(fields, request.UserAgent, '\t');
            std::getline(fields, request.ProxyAuthorization, '\t');
            requests.push_back(request);
        }
        return requests;
    }

private:
    static std::string Python() { return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

    static constexpr const char* Script = R"(import http.server, os, sys

port_file, root, log = sys.argv[1], sys.argv[2], sys.argv[3]

class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=root, **kwargs)

    def do_GET(self):
        with open(log, 'a') as f:
            f.write('%s\t%s\t%s\n' % (self.path, self.headers.get('User-Agent', ''),
                                      self.headers.get('Proxy-Authorization', '')))
        if self.path.startswith('http://'):
            self.answer(407, [('Proxy-Authenticate', 'Basic realm="lemo"')])
        elif self.path == '/loop':
            self.answer(302, [('Location', '/loop')])
        elif self.path == '/short':
            self.send_response(200)
            self.send_header('Content-Length', '1000')
            self.end_headers()
            self.wfile.write(b'[General]\r\n')
            self.close_connection = True
        else:
            super().do_GET()

    def answer(self, status, headers):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header('Content-Length', '0')
        self.end_headers()

    def log_message(self, format, *args):
        pass

server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
with open(port_file + '.new', 'w') as f:
    f.write(str(server.server_address[1]))
os.rename(port_file + '.new', port_file)
server.serve_forever()
)";

    std::filesystem::path m_Dir;
    int m_Port = 0;
};

// tinyproxy on 127.0.0.1 letting in only the user "puser" with the password "ppass" (Basic authentication). It
// answers 407 without credentials and 401 to wrong ones.
class TTinyproxy : public TBackgroundServer {
public:
    static constexpr const char* User = "puser";
    static constexpr const char* Password = "ppass";

    explicit TTinyproxy(std::filesystem::path dir) : m_Dir(std::move(dir)) {
        std::filesystem::create_directories(m_Dir);
    }

    void Start() {
        const std::filesystem::path log = m_Dir / "tinyproxy.log";
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_Port = FreeLoopbackPort();
            std::ostringstream config;
            config << "Port " << m_Port << "\nListen 127.0.0.1\nTimeout 60\nMaxClients 10\nAllow 127.0.0.1\n"
                   << "BasicAuth " << User << " " << Password << "\nLogFile \"" << log.string() << "\"\nPidFile \""
                   << (m_Dir / "tinyproxy.pid").string() << "\"\nDisableViaHeader Yes\n";
            WriteBytes(m_Dir / "tinyproxy.conf", config.str());
            // Another process may take the port first; tinyproxy then ends and the next port is tried.
            std::filesystem::remove(log);
            if (Launch({"tinyproxy", "-d", "-c", (m_Dir / "tinyproxy.conf").string()}, m_Dir / "tinyproxy.out",
                       [&log] { return ReadText(log).find("Accepting connections") != std::string::npos; }))
                return;
        }
        throw std::runtime_error("tinyproxy did not start; see " + (m_Dir / "tinyproxy.out").string());
    }

    // "127.0.0.1:port", as the proxy setting names it.
    [[nodiscard]] std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_Port); }

    // The requests the proxy received, method and target ("GET http://127.0.0.1:8000/info.ini"), in order.
    [[nodiscard]] std::vector<std::string> Requests() const {
        std::vector<std::string> requests = LogEntries("Request (file descriptor ");
        for (std::string& request : requests)
            request = request.substr(0, request.rfind(" HTTP/"));
        return requests;
    }
    // How many client connections it accepted.
    [[nodiscard]] size_t Connections() const { return LogEntries("Connect (file descriptor ").size(); }

private:
    std::vector<std::string> LogEntries(const std::string& marker) const {
        std::vector<std::string> entries;
        for (const std::string& line : ReadLines(m_Dir / "tinyproxy.log")) {
            const size_t at = line.find(marker);
            if (at == std::string::npos)
                continue;
            const size_t colon = line.find("): ", at);
            entries.push_back(colon == std::string::npos ? line : line.substr(colon + 3));
        }
        return entries;
    }

    std::filesystem::path m_Dir;
    int m_Port = 0;
};

// A port on 127.0.0.1 held by a socket of the test: listening, it takes connections (the system completes them)
// and never answers; not listening, it refuses them. No other process can take the port meanwhile.
class TLoopbackPort {
public:
    explicit TLoopbackPort(bool listening) {
        m_Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_Socket < 0 || bind(m_Socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            (listening && listen(m_Socket, 16) != 0) ||
            getsockname(m_Socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot bind a port on 127.0.0.1");
        m_Port = ntohs(address.sin_port);
    }
    ~TLoopbackPort() { close(m_Socket); }
    TLoopbackPort(const TLoopbackPort&) = delete;
    TLoopbackPort& operator=(const TLoopbackPort&) = delete;

    [[nodiscard]] std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_Port); }

private:
    int m_Socket = -1;
    int m_Port = 0;
};

// A server that accepts and never answers.
class TSilentServer : public TLoopbackPort {
public:
    TSilentServer() : TLoopbackPort(true) {}
};

// A port where nothing listens.
class TDeadPort : public TLoopbackPort {
public:
    TDeadPort() : TLoopbackPort(false) {}
};

// Environment variables set for the lifetime of the object, restored (or removed) afterwards.
class TScopedEnvironment {
public:
    TScopedEnvironment() = default;
    ~TScopedEnvironment() {
        for (const auto& [name, value] : m_Saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

    void Set(const std::string& name, const std::string& value) {
        if (!m_Saved.contains(name)) {
            const char* old = std::getenv(name.c_str());
            m_Saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }

private:
    std::map<std::string, std::optional<std::string>> m_Saved;
};

// Every proxy variable that HTTP libraries read points at a port where nothing listens: a fetch that took them into
// account could not succeed.
class TDeadProxyEnvironment : public TScopedEnvironment {
public:
    TDeadProxyEnvironment() {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            Set(name, "http://" + m_Dead.HostPort());
    }

private:
    TDeadPort m_Dead;
};

} // namespace ndlemo::test
