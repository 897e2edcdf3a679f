// bench_send_check: what ndlemo-send --check-only costs beyond the reading of the batch file itself.
//
//   bench_send_check [--lines N] [--repeat R] [--keep]
//
// Lays out an installation in a temporary directory and generates a valid batch file of N lines (default
// 1 000 000), then times, alternately and R times each (default 5), `ndlemo-check --icz ICZ FILE` and
// `ndlemo-send --check-only --invoice HEADER FILE` on it (the header, the temporary copy, the archive search and
// the log on top of the reading), and prints the best and median of each and the ratio of the medians. Then it
// makes every tenth line of the file faulty and times the check with `--report-pdf` (the report of N/10 error
// lines laid out and written as PDF) against the check alone. Prints figures only; it asserts nothing.

#include "TBatchGenerator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Runs a program with the file as standard input and everything it prints thrown away; its wall time and status.
double Run(const std::vector<std::string>& args, const std::string& input, int& status) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct TFigures {
    std::vector<double> Times;
    [[nodiscard]] double Best() const { return *std::min_element(Times.begin(), Times.end()); }
    [[nodiscard]] double Median() const {
        std::vector<double> t = Times;
        std::sort(t.begin(), t.end());
        return t[t.size() / 2];
    }
};

// Every tenth line that is no batch header gets an unknown record letter: one error line each.
size_t SpoilEveryTenthLine(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    std::string line;
    size_t n = 0;
    size_t spoiled = 0;
    while (std::getline(in, line)) {
        if (++n % 10 == 0 && !line.empty() && line[0] != 'D') {
            line[0] = 'Q';
            ++spoiled;
        }
        out << line << '\n';
    }
    return spoiled;
}

} // namespace

int main(int argc, char** argv) {
    long lines = 1000000;
    int repeat = 5;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lines") == 0 && i + 1 < argc)
            lines = std::strtol(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--keep") == 0)
            keep = true;
    }
    const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
    char pattern[] = "/tmp/ndlemo-bench-send-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const fs::path dir = pattern;
    for (const char* sub : {"davky", "odeslane", "upload", "run"})
        fs::create_directories(dir / sub);
    chmod((dir / "run").c_str(), 0700);
    const std::string d = dir.string();
    std::ofstream(dir / "NdLemo.ini", std::ios::binary)
        << "[General]\r\nPracoviste=LM01\r\nDirDavky=" << d << "/davky\r\nDirOdeslane=" << d
        << "/odeslane\r\nIntSplatnosti=30\r\nDefaultICZ=12345678\r\nDefaultICO=87654321\r\n"
           "DefaultCisloUctu=123456789\r\nDefaultKodBanky=0100\r\nTypPrenosu=UPLOAD\r\n[UploadLemo]\r\n"
           "Adresa=file:///upload.html\r\nOutDir="
        << d << "/upload\r\n";
    std::ofstream(dir / "faktura.ini") << "[Faktura]\nCislo_faktury=1\nRok_faktury=2024\nDatum_vystaveni=01.01.2024\n"
                                          "Datum_prijeti=15.03.2024\nVar_symbol=1\n";
    std::ofstream(dir / "password") << "LM01\n";
    setenv("XDG_RUNTIME_DIR", (dir / "run").c_str(), 1);
    setenv("LC_ALL", "C", 1);

    const fs::path valid = dir / "valid.txt";
    ndlemo::TBatchGenerator::TOptions options;
    options.TargetLines = lines;
    options.Seed = 7;
    const auto stats = ndlemo::TBatchGenerator(options).WriteFile(valid.string());
    std::printf("file: %lld lines, %.1f MB\n", static_cast<long long>(stats.Lines), stats.Bytes / 1e6);

    const std::string password = (dir / "password").string();
    const std::string check = (bin / "ndlemo-check").string();
    const std::string send = (bin / "ndlemo-send").string();
    const std::string header = (dir / "faktura.ini").string();
    auto checkArgs = [&](const fs::path& file) { return std::vector<std::string>{check, "--icz", "12345678", file}; };
    auto sendArgs = [&](const fs::path& file, bool pdf) {
        std::vector<std::string> args{send, "--dir", d, "--check-only"};
        if (pdf)
            args.insert(args.end(), {"--report-pdf", (dir / "report.pdf").string()});
        args.insert(args.end(), {"--invoice", header, file.string()});
        return args;
    };

    TFigures checkTimes, sendTimes;
    int status = 0;
    for (int r = 0; r < repeat; ++r) {
        checkTimes.Times.push_back(Run(checkArgs(valid), password, status));
        sendTimes.Times.push_back(Run(sendArgs(valid, false), password, status));
        if (status != 0)
            std::fprintf(stderr, "ndlemo-send ended with %d\n", status);
    }
    std::printf("valid file, best/median of %d:\n", repeat);
    std::printf("  ndlemo-check                %.3f s / %.3f s\n", checkTimes.Best(), checkTimes.Median());
    std::printf("  ndlemo-send --check-only    %.3f s / %.3f s\n", sendTimes.Best(), sendTimes.Median());
    std::printf("  ratio of the medians        %.2f (goal <= 1.5)\n", sendTimes.Median() / checkTimes.Median());

    const fs::path faulty = dir / "faulty.txt";
    const size_t spoiled = SpoilEveryTenthLine(valid, faulty);
    TFigures faultyCheck, faultyPdf;
    for (int r = 0; r < repeat; ++r) {
        faultyCheck.Times.push_back(Run(sendArgs(faulty, false), password, status));
        faultyPdf.Times.push_back(Run(sendArgs(faulty, true), password, status));
    }
    std::printf("file with %zu faulty lines, best/median of %d:\n", spoiled, repeat);
    std::printf("  ndlemo-send --check-only                 %.3f s / %.3f s\n", faultyCheck.Best(),
                faultyCheck.Median());
    std::printf("  ndlemo-send --check-only --report-pdf    %.3f s / %.3f s (%.1f MB of PDF)\n", faultyPdf.Best(),
                faultyPdf.Median(), static_cast<double>(fs::file_size(dir / "report.pdf")) / 1e6);
    std::printf("  the report's share (median difference)   %.3f s (compare with bench_reports' layout + PDF)\n",
                faultyPdf.Median() - faultyCheck.Median());
    if (!keep)
        fs::remove_all(dir);
    else
        std::printf("kept %s\n", d.c_str());
    return 0;
}
