// bench_pack: the cost of packing, the part of a send that grows with the files.
//
//   bench_pack [--mb N] [--files F] [--random-mb M] [--repeat R] [--dir DIR]
//
// 1. An invoice with N MB (default 47) of generated batch files in F files (default 4) and a description file:
//    the package built by BuildZipPackage (the send's own packer) against "zip -6 -j" building the same entries,
//    measured alternately in one run, best of R each.
// 2. One incompressible document of M MB (default 20): the package against "cp" of the document (and "zip -6" for
//    reference); the entry's method is read back.
// Prints figures only; it asserts nothing.

#include "TBatchGenerator.h"
#include "TimedRun.h"

#include "transfer/ZipPackage.h"

#include <zip.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::Clock;
using bench::Seconds;
using bench::TimedRun;

double Pack(const fs::path& zipFile, const std::vector<ndlemo::TZipEntry>& entries) {
    const auto start = Clock::now();
    ndlemo::BuildZipPackage(zipFile, entries);
    return Seconds(Clock::now() - start);
}

double Zip6(const fs::path& zipFile, const std::vector<ndlemo::TZipEntry>& entries) {
    fs::remove(zipFile);
    std::vector<std::string> args{"zip", "-q", "-6", "-j", zipFile.string()};
    for (const auto& e : entries)
        args.push_back(e.File.string());
    return TimedRun(args);
}

uintmax_t TotalSize(const std::vector<ndlemo::TZipEntry>& entries) {
    uintmax_t total = 0;
    for (const auto& e : entries)
        total += fs::file_size(e.File);
    return total;
}

// The methods of an archive's entries as text: "deflate" or "store" per entry.
std::string Methods(const fs::path& zipFile) {
    int error = 0;
    zip_t* archive = zip_open(zipFile.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        return "unreadable";
    std::string methods;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        methods += std::string(methods.empty() ? "" : ", ") + (st.comp_method == ZIP_CM_STORE ? "store" : "deflate");
    }
    zip_discard(archive);
    return methods;
}

void ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    }
}

std::vector<ndlemo::TZipEntry> MakeInvoice(const fs::path& dir, double megabytes, int files) {
    std::vector<ndlemo::TZipEntry> entries;
    const fs::path description = dir / "LM01_12345678_87654321_2024_xxxxxxx123_20240402.fak";
    std::ofstream(description, std::ios::binary) << "[General]\r\nverze=\"1.0.0.0\"\r\n";
    entries.push_back({description, description.filename().string()});
    // About 45.3 bytes a line, as the generator writes them.
    const auto linesPerFile = static_cast<int64_t>(megabytes * 1e6 / 45.3 / files);
    for (int f = 1; f <= files; ++f) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%03d", f);
        fs::path file = description;
        file.replace_extension(suffix);
        ndlemo::TBatchGenerator::TOptions options;
        options.Seed = static_cast<uint64_t>(f);
        options.TargetLines = linesPerFile;
        ndlemo::TBatchGenerator(options).WriteFile(file.string());
        entries.push_back({file, file.filename().string()});
    }
    return entries;
}

std::vector<ndlemo::TZipEntry> MakeDocument(const fs::path& dir, double megabytes) {
    const fs::path text = dir / "NDLLZ_LM01_12345678_87654321_20240402140733123042.txt";
    std::ofstream(text, std::ios::binary) << "[General]\r\nverze=\"1.0.0.0\"\r\n";
    const fs::path document = dir / "NDLLZ_LM01_12345678_87654321_20240402140733123042_001.jpg";
    std::ofstream out(document, std::ios::binary);
    std::mt19937_64 engine(20240402);
    std::vector<uint64_t> block(1 << 16);
    for (auto remaining = static_cast<int64_t>(megabytes * 1e6); remaining > 0;) {
        for (auto& word : block)
            word = engine();
        const auto bytes = std::min<int64_t>(remaining, static_cast<int64_t>(block.size() * sizeof(uint64_t)));
        out.write(reinterpret_cast<const char*>(block.data()), bytes);
        remaining -= bytes;
    }
    return {{text, text.filename().string()}, {document, document.filename().string()}};
}

} // namespace

int main(int argc, char** argv) {
    double megabytes = 47;
    int files = 4;
    double randomMegabytes = 20;
    int repeat = 5;
    fs::path dir;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--mb")
            megabytes = std::atof(argv[i + 1]);
        else if (arg == "--files")
            files = std::atoi(argv[i + 1]);
        else if (arg == "--random-mb")
            randomMegabytes = std::atof(argv[i + 1]);
        else if (arg == "--repeat")
            repeat = std::atoi(argv[i + 1]);
        else if (arg == "--dir")
            dir = argv[i + 1];
    }
    const bool ownDir = dir.empty();
    if (ownDir) {
        std::string pattern = (fs::temp_directory_path() / "ndlemo-bench-pack-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return 2;
        dir = pattern;
    }
    try {
        fs::create_directories(dir / "invoice");
        fs::create_directories(dir / "document");

        const auto invoice = MakeInvoice(dir / "invoice", megabytes, files);
        const double invoiceMb = static_cast<double>(TotalSize(invoice)) / 1e6;
        for (const auto& e : invoice)
            ReadAll(e.File);
        double ours = 1e30, zip = 1e30;
        for (int r = 0; r < repeat; ++r) {
            ours = std::min(ours, Pack(dir / "ours.zip", invoice));
            zip = std::min(zip, Zip6(dir / "zip6.zip", invoice));
        }
        std::printf("invoice: %d batch files and the description file, %.1f MB\n", files, invoiceMb);
        std::printf("  BuildZipPackage  %.3f s (best of %d), %.1f MB/s, package %.2f MB (%s)\n", ours, repeat,
                    invoiceMb / ours, static_cast<double>(fs::file_size(dir / "ours.zip")) / 1e6,
                    Methods(dir / "ours.zip").c_str());
        std::printf("  zip -6 -j        %.3f s (best of %d), %.1f MB/s, package %.2f MB\n", zip, repeat,
                    invoiceMb / zip, static_cast<double>(fs::file_size(dir / "zip6.zip")) / 1e6);
        std::printf("  ratio            BuildZipPackage / zip -6 = %.2f\n", ours / zip);

        const auto document = MakeDocument(dir / "document", randomMegabytes);
        const double documentMb = static_cast<double>(fs::file_size(document[1].File)) / 1e6;
        ReadAll(document[1].File);
        double packed = 1e30, probe = 1e30, copied = 1e30, catted = 1e30, zipped = 1e30;
        for (int r = 0; r < repeat; ++r) {
            packed = std::min(packed, Pack(dir / "document.zip", document));
            const auto start = Clock::now();
            if (!ndlemo::LooksIncompressible(document[1].File))
                throw std::runtime_error("the document was not judged incompressible");
            probe = std::min(probe, Seconds(Clock::now() - start));
            fs::remove(dir / "copy.jpg");
            copied = std::min(copied, TimedRun({"cp", document[1].File.string(), (dir / "copy.jpg").string()}));
            catted = std::min(catted, TimedRun({"sh", "-c", "cat \"$0\" > \"$1\"", document[1].File.string(),
                                                (dir / "cat.jpg").string()}));
            zipped = std::min(zipped, Zip6(dir / "document-zip6.zip", document));
        }
        std::printf("incompressible document: %.1f MB of random bytes and the description file\n", documentMb);
        std::printf("  BuildZipPackage  %.3f s (best of %d), %.1f MB/s, entries %s\n", packed, repeat,
                    documentMb / packed, Methods(dir / "document.zip").c_str());
        std::printf("    of which the sampling that chose storing %.3f s\n", probe);
        std::printf("  cp               %.3f s (best of %d), %.1f MB/s (copies inside the kernel)\n", copied, repeat,
                    documentMb / copied);
        std::printf("  cat > copy       %.3f s (best of %d), %.1f MB/s (reads and writes like the packer)\n", catted,
                    repeat, documentMb / catted);
        std::printf("  zip -6 -j        %.3f s (best of %d), %.1f MB/s (for reference)\n", zipped, repeat,
                    documentMb / zipped);
        std::printf("  ratio            BuildZipPackage / cp = %.2f, BuildZipPackage / cat = %.2f\n", packed / copied,
                    packed / catted);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_pack: %s\n", e.what());
        if (ownDir)
            fs::remove_all(dir);
        return 1;
    }
    if (ownDir)
        fs::remove_all(dir);
    return 0;
}
