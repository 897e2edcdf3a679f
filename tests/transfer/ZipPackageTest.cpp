#include "transfer/ZipPackage.h"

#include "TestTempDir.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
struct TReadEntry {
    std::string Name;
    zip_uint16_t Method;
    zip_uint64_t Size;
    zip_uint64_t CompressedSize;
    std::string Data;
};

// The archive as libzip reads it back.
std::vector<TReadEntry> ReadBack(const fs::path& zipFile) {
    std::vector<TReadEntry> entries;
    int error = 0;
    zip_t* archive = zip_open(zipFile.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        ADD_FAILURE() << "cannot open " << zipFile << ": " << error;
        return entries;
    }
    int commentLength = -1;
    zip_get_archive_comment(archive, &commentLength, 0);
    EXPECT_EQ(commentLength, 0);
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        EXPECT_EQ(st.encryption_method, ZIP_EM_NONE);
        std::string data(st.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, data.data(), data.size()), static_cast<zip_int64_t>(data.size()));
        zip_fclose(file);
        entries.push_back({st.name, st.comp_method, st.size, st.comp_size, data});
    }
    zip_close(archive);
    return entries;
}

bool UnzipTestPasses(const fs::path& zipFile) {
    const std::string command = "unzip -tqq '" + zipFile.string() + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 engine(seed);
    std::string bytes(size, '\0');
    for (auto& b : bytes)
        b = static_cast<char>(engine() & 0xFF);
    return bytes;
}

std::string TextBytes(size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "A" + std::to_string(100000 + line) + "  12345678 2024 03 zdravotní péče\r\n";
    text.resize(size);
    return text;
}
} // namespace

TEST(BuildZipPackage, EntriesInOrderUnderBareNamesDeflatedOrStored) {
    TTestTempDir dir;
    const struct {
        const char* File;
        const char* Name;
        std::string Data;
        zip_uint16_t Method;
    } rows[] = {
        {"work/N.fak", "N.fak", TextBytes(3000), ZIP_CM_DEFLATE},
        {"work/N.001", "N.001", TextBytes(200000), ZIP_CM_DEFLATE},
        {"work/N.002", "N.002", RandomBytes(5000, 1), ZIP_CM_STORE},    // deflated first, then stored
        {"work/N.003", "N.003", RandomBytes(2 << 20, 2), ZIP_CM_STORE}, // stored without deflating it
        {"work/N.004", "N.004", "", ZIP_CM_STORE},                      // deflate would add two bytes
        {"work/N.005", "N.005", TextBytes(3 << 20), ZIP_CM_DEFLATE},
    };
    fs::create_directory(dir.Path() / "work");
    std::vector<TZipEntry> entries;
    for (const auto& row : rows) {
        dir.WriteFile(row.File, row.Data);
        entries.push_back({dir.Path() / row.File, row.Name});
    }
    const fs::path zipFile = dir.Path() / "N.zip";
    BuildZipPackage(zipFile, entries);

    const std::vector<TReadEntry> read = ReadBack(zipFile);
    ASSERT_EQ(read.size(), std::size(rows));
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].Name, rows[i].Name);
        EXPECT_EQ(read[i].Method, rows[i].Method) << rows[i].Name;
        EXPECT_TRUE(read[i].Data == rows[i].Data) << rows[i].Name;
        EXPECT_LE(read[i].CompressedSize, read[i].Size) << rows[i].Name;
    }
    EXPECT_TRUE(UnzipTestPasses(zipFile));
    // Nothing but the archive came out of it: no temporary file of libzip is left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(BuildZipPackage, ReplacesAnOldArchive) {
    TTestTempDir dir;
    dir.WriteFile("N.zip", "an old package of a run that was aborted");
    dir.WriteFile("N.fak", "[General]\r\n");
    BuildZipPackage(dir.Path() / "N.zip", {{dir.Path() / "N.fak", "N.fak"}});
    const std::vector<TReadEntry> read = ReadBack(dir.Path() / "N.zip");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Data, "[General]\r\n");
}

TEST(BuildZipPackage, FailuresLeaveNoArchive) {
    TTestTempDir dir;
    dir.WriteFile("N.fak", "x");
    // A directory in the way cannot be removed like an old package.
    fs::create_directories(dir.Path() / "Old.zip" / "inside");
    try {
        BuildZipPackage(dir.Path() / "Old.zip", {{dir.Path() / "N.fak", "N.fak"}});
        ADD_FAILURE() << "no error";
    } catch (const ESubroutineError& e) {
        EXPECT_EQ(std::string(e.what()), "Soubor \"" + (dir.Path() / "Old.zip").string() + "\" nejde vymazat");
    }
    // An attached copy that has gone.
    EXPECT_THROW(
        BuildZipPackage(dir.Path() / "N.zip", {{dir.Path() / "N.fak", "N.fak"}, {dir.Path() / "N.001", "N.001"}}),
        ESubroutineError);
    EXPECT_FALSE(fs::exists(dir.Path() / "N.zip"));
}

TEST(LooksIncompressible, JudgesLargeFilesBySamples) {
    TTestTempDir dir;
    const struct {
        const char* Name;
        std::string Data;
        bool Incompressible;
    } rows[] = {
        {"random-2M", RandomBytes(2 << 20, 3), true},
        {"random-1M", RandomBytes(1 << 20, 4), false}, // small enough to be deflated and judged by the result
        {"text-2M", TextBytes(2 << 20), false},
        {"half-random", RandomBytes(1 << 20, 5) + std::string(1 << 20, 'x'), false},
    };
    for (const auto& row : rows) {
        dir.WriteFile(row.Name, row.Data);
        EXPECT_EQ(LooksIncompressible(dir.Path() / row.Name), row.Incompressible) << row.Name;
    }
    EXPECT_FALSE(LooksIncompressible(dir.Path() / "missing"));
}
