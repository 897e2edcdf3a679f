// ndlemo-cmd: the command interpreter that runs the transfer tools' command lines, as "cmd.exe /c" does on the
// original platform, and nothing more.
//
//   ndlemo-cmd /c COMMAND
//
// COMMAND is the text after "/c" (the process runner passes the rest of its command line as one argument; several
// arguments are joined with blanks). When it starts with a quote and holds more than two quotes, its first and last
// quotes are removed. It is then split as a Windows program splits its command line; "<" and ">" outside quotes
// redirect standard input from and standard output to a file (relative to the current directory). The first
// argument names the program (a name without a path is looked for in the current directory, then in PATH), which
// replaces this process with the other arguments. Pipes, "&", variables and wildcards mean nothing here: they reach
// the program as plain text.
//
// Exit status: the program's own; 9009 when it cannot be started (through the status descriptor of the process
// runner, 127 to anyone else, as 9009 does not fit a process exit status here); 1 for a usage or redirection error.

#include "platform/CommandLine.h"
#include "platform/RunProcess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int NotStartedStatus = 9009;
constexpr int NotStartedExit = 127;

int g_StatusFd = -1;

// Takes over the status descriptor of the process runner, if there is one, so that it reaches no program.
void TakeStatusDescriptor() {
    const char* value = std::getenv(ndlemo::platform::StatusFdVariable);
    if (!value)
        return;
    char* end = nullptr;
    const long fd = std::strtol(value, &end, 10);
    if (end != value && *end == '\0' && fd > 2 && fcntl(static_cast<int>(fd), F_GETFD) != -1) {
        g_StatusFd = static_cast<int>(fd);
        fcntl(g_StatusFd, F_SETFD, FD_CLOEXEC);
    }
    unsetenv(ndlemo::platform::StatusFdVariable);
}

[[noreturn]] void ExitNotStarted() {
    if (g_StatusFd >= 0) {
        const std::string code = std::to_string(NotStartedStatus);
        [[maybe_unused]] const ssize_t written = write(g_StatusFd, code.data(), code.size());
    }
    std::exit(NotStartedExit);
}

bool Redirect(const std::string& file, int fd, int flags) {
    const int opened = open(file.c_str(), flags | O_CLOEXEC, 0666);
    if (opened < 0) {
        std::fprintf(stderr, "Soubor \"%s\" nelze otevřít: %s\n", file.c_str(), std::strerror(errno));
        return false;
    }
    const bool ok = dup2(opened, fd) >= 0;
    close(opened);
    return ok;
}

// A name without a path is looked for in the current directory first, as the Windows interpreter does.
std::string ProgramPath(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    struct stat st {};
    if (stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return "./" + name;
    return name;
}

} // namespace

int main(int argc, char** argv) {
    TakeStatusDescriptor();
    std::string text;
    for (int i = 1; i < argc; ++i)
        text += (i > 1 ? " " : "") + std::string(argv[i]);

    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos || text.size() < i + 2 || text[i] != '/' || (text[i + 1] != 'c' && text[i + 1] != 'C') ||
        (text.size() > i + 2 && text[i + 2] != ' ' && text[i + 2] != '\t')) {
        std::fprintf(stderr, "Použití: ndlemo-cmd /c PŘÍKAZ\n");
        return 1;
    }
    const std::string command = ndlemo::platform::InterpreterCommandText(std::string_view(text).substr(i + 2));

    ndlemo::platform::TInterpreterCommand parsed;
    std::string error;
    if (!ndlemo::platform::ParseInterpreterCommand(command, parsed, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!parsed.InputFile.empty() && !Redirect(parsed.InputFile, 0, O_RDONLY))
        return 1;
    if (!parsed.OutputFile.empty() && !Redirect(parsed.OutputFile, 1, O_WRONLY | O_CREAT | O_TRUNC))
        return 1;
    if (parsed.Arguments.empty())
        return 0;

    std::vector<char*> args;
    for (auto& a : parsed.Arguments)
        args.push_back(a.data());
    args.push_back(nullptr);
    const std::string program = ProgramPath(parsed.Arguments.front());
    if (program.find('/') != std::string::npos)
        execv(program.c_str(), args.data());
    else
        execvp(program.c_str(), args.data());

    const int reason = errno;
    if (reason == ENOENT || reason == ENOTDIR)
        std::fprintf(
            stderr, "'%s' není názvem vnitřního ani vnějšího příkazu, spustitelného programu nebo dávkového souboru.\n",
            parsed.Arguments.front().c_str());
    else
        std::fprintf(stderr, "Program '%s' nelze spustit: %s\n", parsed.Arguments.front().c_str(),
                     std::strerror(reason));
    ExitNotStarted();
}
