#include "transfer/CopyFileReplacing.h"

#include "TestFileSizeLimit.h"
#include "TestRaised.h"
#include "TestTempDir.h"
#include "platform/TCurrentDirectoryGuard.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

using namespace ndlemo;
using ndlemo::test::Raised;
using ndlemo::test::TFileSizeLimit;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 2048) & 0xFF);
    return bytes;
}

size_t EntryCount(const fs::path& dir) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}
} // namespace

TEST(CopyFileReplacing, CopiesEverySizeAroundThePieceSizeAndReplacesTheTarget) {
    TTestTempDir dir;
    for (size_t size : {0u, 1u, 2047u, 2048u, 2049u, 4096u, 100000u}) {
        const std::string bytes = Pattern(size);
        dir.WriteFile("source", bytes);
        dir.WriteFile("target", "old and longer content than some sources");
        CopyFileReplacing(dir.Path() / "source", dir.Path() / "target");
        EXPECT_EQ(dir.ReadFile("target"), bytes) << size;
    }
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
}

TEST(CopyFileReplacing, RefusesToCopyAFileOntoItselfHoweverItIsNamed) {
    TTestTempDir dir;
    dir.WriteFile("package.zip", "content");
    fs::create_symlink(dir.Path() / "package.zip", dir.Path() / "link.zip");
    platform::TCurrentDirectoryGuard guard;
    platform::SetCurrentDirectory(dir.Path());
    const struct {
        fs::path Source;
        fs::path Target;
    } rows[] = {
        {dir.Path() / "package.zip", dir.Path() / "package.zip"},
        {"package.zip", dir.Path() / "package.zip"},
        {dir.Path() / "package.zip", "./package.zip"},
        {"link.zip", "package.zip"},
        {dir.Path() / "sub" / ".." / "package.zip", "package.zip"},
    };
    fs::create_directory(dir.Path() / "sub");
    for (const auto& row : rows) {
        EXPECT_EQ(Raised([&] { CopyFileReplacing(row.Source, row.Target); }),
                  "Soubor \"" + row.Source.string() + "\" nemůže být kopírován sám do sebe")
            << row.Source << " " << row.Target;
    }
    EXPECT_EQ(dir.ReadFile("package.zip"), "content");
}

TEST(CopyFileReplacing, NamesThatDifferOnlyInCaseAreTwoFilesHere) {
    TTestTempDir dir;
    dir.WriteFile("Package.zip", "upper");
    dir.WriteFile("package.zip", "lower");
    CopyFileReplacing(dir.Path() / "Package.zip", dir.Path() / "package.zip");
    EXPECT_EQ(dir.ReadFile("package.zip"), "upper");
}

TEST(CopyFileReplacing, OpeningFailuresNameTheFileAndTheReason) {
    TTestTempDir dir;
    dir.WriteFile("source", "x");
    const fs::path missing = dir.Path() / "missing";
    const fs::path noDir = dir.Path() / "no-dir" / "target";
    EXPECT_EQ(Raised([&] { CopyFileReplacing(missing, dir.Path() / "t"); }),
              "Při otevírání vstupního souboru \"" + missing.string() + "\" došlo k chybě: No such file or directory");
    EXPECT_EQ(Raised([&] { CopyFileReplacing(dir.Path() / "source", noDir); }),
              "Při otevírání výstupního souboru \"" + noDir.string() + "\" došlo k chybě: No such file or directory");
    EXPECT_FALSE(fs::exists(dir.Path() / "t"));
}

TEST(CopyFileReplacing, AReadErrorIsReported) {
    TTestTempDir dir;
    fs::create_directory(dir.Path() / "a-directory");
    const fs::path source = dir.Path() / "a-directory";
    const fs::path target = dir.Path() / "target";
    EXPECT_EQ(Raised([&] { CopyFileReplacing(source, target); }), "Při kopírování souboru \"" + source.string() +
                                                                      "\" do souboru \"" + target.string() +
                                                                      "\" došlo k chybě: Is a directory");
    EXPECT_FALSE(fs::exists(target));
}

// A full disk in the middle of a copy: the copy is reported, and the target that was there stays whole.
TEST(CopyFileReplacing, AWriteThatStoresLessThanWasReadFailsAndKeepsTheOldTarget) {
    TTestTempDir dir;
    dir.WriteFile("source", Pattern(10000));
    dir.WriteFile("target", "the previous copy");
    const fs::path source = dir.Path() / "source";
    const fs::path target = dir.Path() / "target";
    std::string message;
    {
        TFileSizeLimit limit(5000);
        message = Raised([&] { CopyFileReplacing(source, target); });
    }
    EXPECT_EQ(message, "Při kopírování souboru \"" + source.string() + "\" do souboru \"" + target.string() +
                           "\" došlo k chybě: File too large");
    EXPECT_EQ(dir.ReadFile("target"), "the previous copy");
    EXPECT_EQ(EntryCount(dir.Path()), 2u);
}
