// bench_check: speed and memory of reading batch files, against md5sum on the same file.
//
//   bench_check [--lines N]... [--file FILE]... [--icz ICZ] [--repeat R] [--keep]
//
// Without --file it generates valid files of 100 000 and 1 000 000 lines (or the --lines given). Every file is
// read in a fresh child process, so that its peak memory (VmHWM) is its own; the child reads it R times with
// fresh registers and reports the best time. md5sum runs on the same file, after the page cache is warm.
// Prints figures only; it asserts nothing.

#include "TBatchGenerator.h"
#include "TimedRun.h"

#include "batch/TKeyRegister.h"
#include "batch/TLemoSoubor.h"
#include "support/ESubroutineError.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::Clock;
using bench::Seconds;
using bench::TimedRun;

// A line "VmHWM:   1234 kB" of /proc/self/status, in kB; -1 where the system does not tell.
long PeakKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Child: reads the file repeat times, prints "best_seconds errors batches peak_before_kb peak_after_kb".
int ChildMain(const char* file, const char* icz, int repeat) {
    long before = PeakKb();
    double best = 1e30;
    size_t errors = 0;
    size_t batches = 0;
    for (int r = 0; r < repeat; ++r) {
        ndlemo::TKeyRegister batchKeys;
        ndlemo::TKeyRegister docKeys;
        ndlemo::TLemoSoubor reader;
        reader.JmenoSouboru = file;
        auto start = Clock::now();
        try {
            reader.Nacti(batchKeys, docKeys, icz);
        } catch (const ndlemo::ESubroutineError& e) {
            reader.Chyby.push_back(e.Message());
        }
        best = std::min(best, Seconds(Clock::now() - start));
        errors = reader.Chyby.size();
        batches = reader.Davky.size();
        if (r == 0 && !reader.Chyby.empty())
            std::fprintf(stderr, "first error: %s\n", reader.Chyby.front().c_str());
    }
    long after = PeakKb();
    std::printf("%.6f %zu %zu %ld %ld\n", best, errors, batches, before, after);
    return 0;
}

struct TFileInfo {
    long long Lines = 0;
    long long Bytes = 0;
};

// Reads the whole file once (warms the page cache) and counts its lines.
TFileInfo WarmAndCount(const std::string& path) {
    TFileInfo info;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw std::runtime_error("cannot open " + path);
    std::vector<char> buf(1 << 20);
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
        info.Bytes += static_cast<long long>(n);
        info.Lines += std::count(buf.begin(), buf.begin() + static_cast<long>(n), '\n');
    }
    std::fclose(f);
    return info;
}

void Bench(const std::string& self, const std::string& path, const std::string& icz, int repeat) {
    TFileInfo info = WarmAndCount(path);
    double mb = static_cast<double>(info.Bytes) / 1e6;

    std::string childOut;
    bench::TTimedRunOptions collect;
    collect.Output = &childOut;
    TimedRun({self, "--child", path, icz, std::to_string(repeat)}, collect);
    double check = 0;
    size_t errors = 0, batches = 0;
    long before = 0, after = 0;
    if (std::sscanf(childOut.c_str(), "%lf %zu %zu %ld %ld", &check, &errors, &batches, &before, &after) != 5)
        throw std::runtime_error("unexpected child output: " + childOut);

    double md5 = 1e30;
    for (int r = 0; r < repeat; ++r)
        md5 = std::min(md5, TimedRun({"/usr/bin/md5sum", path}));

    std::printf("%s\n", path.c_str());
    std::printf("  size          %lld lines, %.1f MB, %zu batches\n", info.Lines, mb, batches);
    std::printf("  check         %.3f s (best of %d): %.0f lines/s, %.1f MB/s, %zu error lines\n", check, repeat,
                static_cast<double>(info.Lines) / check, mb / check, errors);
    std::printf("  md5sum        %.3f s (best of %d): %.1f MB/s\n", md5, repeat, mb / md5);
    std::printf("  ratio         check / md5sum = %.2f\n", check / md5);
    std::printf("  peak memory   VmHWM %.1f MB (%.1f MB before reading)\n", static_cast<double>(after) / 1024.0,
                static_cast<double>(before) / 1024.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
            return ChildMain(argv[2], argv[3], std::atoi(argv[4]));

        std::vector<long long> lines;
        std::vector<std::string> files;
        std::string icz = "12345678";
        int repeat = 3;
        bool keep = false;
        for (int i = 1; i < argc; ++i) {
            std::string a = argv[i];
            if (a == "--lines" && i + 1 < argc)
                lines.push_back(std::atoll(argv[++i]));
            else if (a == "--file" && i + 1 < argc)
                files.emplace_back(argv[++i]);
            else if (a == "--icz" && i + 1 < argc)
                icz = argv[++i];
            else if (a == "--repeat" && i + 1 < argc)
                repeat = std::max(1, std::atoi(argv[++i]));
            else if (a == "--keep")
                keep = true;
            else {
                std::fprintf(stderr,
                             "usage: bench_check [--lines N]... [--file FILE]... [--icz ICZ] [--repeat R] [--keep]\n");
                return 2;
            }
        }
        std::string self = std::filesystem::read_symlink("/proc/self/exe").string();

        std::filesystem::path dir;
        if (files.empty()) {
            if (lines.empty())
                lines = {100000, 1000000};
            std::string templ = (std::filesystem::temp_directory_path() / "ndlemo_bench_XXXXXX").string();
            if (!mkdtemp(templ.data()))
                throw std::runtime_error("cannot create a temporary directory");
            dir = templ;
            for (long long n : lines) {
                ndlemo::TBatchGenerator::TOptions options;
                options.TargetLines = n;
                options.Icz = icz;
                options.Seed = 1;
                std::string path = (dir / ("batches_" + std::to_string(n) + ".txt")).string();
                auto start = Clock::now();
                auto stats = ndlemo::TBatchGenerator(options).WriteFile(path);
                std::printf("generated %s: %lld lines, %lld documents in %.2f s\n", path.c_str(),
                            static_cast<long long>(stats.Lines), static_cast<long long>(stats.Documents),
                            Seconds(Clock::now() - start));
                files.push_back(path);
            }
        }
        for (const auto& f : files)
            Bench(self, f, icz, repeat);
        if (!dir.empty() && !keep)
            std::filesystem::remove_all(dir);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_check: %s\n", e.what());
        return 1;
    }
}
