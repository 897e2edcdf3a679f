// bench_send: what ndlemo-send costs beyond the work of its steps done by hand with the standard tools.
//
//   bench_send [--lines N] [--repeat R] [--keep]
//
// Lays out an installation in upload mode in a temporary directory and generates a valid batch file of N lines
// (default 1 060 000, about 47 MB). Then, each alternately and R times (default 5), with best and median:
// - `ndlemo-check --icz ICZ FILE` against `ndlemo-send --check-only --invoice HEADER FILE` (the header, the
//   temporary copy, the archive search and the log on top of the reading);
// - a whole `ndlemo-send --yes --invoice HEADER FILE` in upload mode (check, package, placing, archive) against
//   the sum of ndlemo-check, `zip -6` of the same entries, and copying the package into the upload and the
//   archive directories;
// - with every tenth line of the file made faulty, the check with `--report-pdf` (the report of N/10 error lines
//   laid out and written as PDF) against the check alone.
// Prints figures only; it asserts nothing.

#include "TBatchGenerator.h"
#include "TimedRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::TimedRun;

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
    long lines = 1060000;
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
                                          "Datum_prijeti=15.03.2024\nVar_symbol=1\nGenerovat=N\n";
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
    const bench::TTimedRunOptions quiet{.Output = nullptr, .Input = password, .Quiet = true, .Status = &status};
    for (int r = 0; r < repeat; ++r) {
        checkTimes.Times.push_back(TimedRun(checkArgs(valid), quiet));
        sendTimes.Times.push_back(TimedRun(sendArgs(valid, false), quiet));
        if (status != 0)
            std::fprintf(stderr, "ndlemo-send ended with %d\n", status);
    }
    std::printf("valid file, best/median of %d:\n", repeat);
    std::printf("  ndlemo-check                %.3f s / %.3f s\n", checkTimes.Best(), checkTimes.Median());
    std::printf("  ndlemo-send --check-only    %.3f s / %.3f s\n", sendTimes.Best(), sendTimes.Median());
    std::printf("  ratio of the medians        %.2f (goal <= 1.5)\n", sendTimes.Median() / checkTimes.Median());

    // A whole send in upload mode against its steps by hand. Every send needs an empty archive: the invoice
    // would be found there as sent.
    auto clean = [&] {
        for (const char* sub : {"odeslane", "upload"}) {
            fs::remove_all(dir / sub);
            fs::create_directories(dir / sub);
        }
    };
    const fs::path description = dir / "popis.fak";
    std::ofstream(description) << "[General]\r\nVerze=1\r\n";
    const std::string zip = (dir / "package.zip").string();
    TFigures sendTimes2, handTimes, zipTimes, copyTimes;
    for (int r = 0; r < repeat; ++r) {
        clean();
        std::vector<std::string> sendAll{send, "--dir", d, "--yes", "--invoice", header, valid.string()};
        sendTimes2.Times.push_back(TimedRun(sendAll, quiet));
        if (status != 0)
            std::fprintf(stderr, "ndlemo-send ended with %d\n", status);
        fs::remove(zip);
        const double check1 = TimedRun(checkArgs(valid), quiet);
        const double zip1 =
            TimedRun({"/usr/bin/zip", "-6", "-q", "-j", zip, description.string(), valid.string()}, quiet);
        const double copy1 = TimedRun({"/bin/cp", zip, (dir / "upload").string() + "/"}, quiet) +
                             TimedRun({"/bin/cp", zip, (dir / "odeslane").string() + "/"}, quiet);
        zipTimes.Times.push_back(zip1);
        copyTimes.Times.push_back(copy1);
        handTimes.Times.push_back(check1 + zip1 + copy1);
    }
    std::printf("whole send in upload mode, best/median of %d:\n", repeat);
    std::printf("  ndlemo-send --yes --invoice              %.3f s / %.3f s\n", sendTimes2.Best(), sendTimes2.Median());
    std::printf("  by hand: check + zip -6 + two copies     %.3f s / %.3f s (zip %.3f s, copies %.3f s)\n",
                handTimes.Best(), handTimes.Median(), zipTimes.Median(), copyTimes.Median());
    std::printf("  ratio of the medians                     %.2f (goal <= 1.3)\n",
                sendTimes2.Median() / handTimes.Median());
    clean();

    const fs::path faulty = dir / "faulty.txt";
    const size_t spoiled = SpoilEveryTenthLine(valid, faulty);
    TFigures faultyCheck, faultyPdf;
    for (int r = 0; r < repeat; ++r) {
        faultyCheck.Times.push_back(TimedRun(sendArgs(faulty, false), quiet));
        faultyPdf.Times.push_back(TimedRun(sendArgs(faulty, true), quiet));
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
