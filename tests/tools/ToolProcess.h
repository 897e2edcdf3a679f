#pragma once

#include "TestData.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ndlemo::test {

struct TToolRun {
    std::string Out;
    std::string Err;
    int Status = -1;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a built program of ours with the arguments, the given standard input and environment (LC_ALL=C when
// none is given), its standard output and error caught in files.
inline TToolRun RunTool(const std::string& name, const std::vector<std::string>& args, const std::string& input = {},
                        std::vector<std::string> environment = {"LC_ALL=C"}) {
    TToolRun result;
    std::string program = std::string(NDLEMO_BIN_DIR) + "/" + name;
    if (!std::filesystem::exists(program)) {
        ADD_FAILURE() << program << " is not built";
        return result;
    }
    char scratch[] = "/tmp/ndlemo-tool-XXXXXX";
    if (!mkdtemp(scratch)) {
        ADD_FAILURE() << "no scratch directory";
        return result;
    }
    const std::filesystem::path dir = scratch;
    const auto inPath = dir / "in", outPath = dir / "out", errPath = dir / "err";
    std::ofstream(inPath, std::ios::binary) << input;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies = args;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        ADD_FAILURE() << "cannot start " << program;
    } else {
        int status = 0;
        waitpid(pid, &status, 0);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadWhole(outPath);
        result.Err = ReadWhole(errPath);
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}

} // namespace ndlemo::test
