#include "transfer/TransferTools.h"

#include "TestTempDir.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;

namespace {
// Runs the check and returns its message, empty when it passed.
std::string CheckMessage(const std::filesystem::path& programDir, const std::filesystem::path& outDir) {
    try {
        CheckTransferTools(programDir, outDir);
    } catch (const ESubroutineError& e) {
        return e.what();
    }
    return "";
}
} // namespace

TEST(CommandInterpreterPath, LiesBesideTheProgram) {
    EXPECT_EQ(CommandInterpreterPath("/opt/ndlemo").string(), "/opt/ndlemo/ndlemo-cmd");
    EXPECT_EQ(CommandInterpreterPath("/opt/ndlemo/").string(), "/opt/ndlemo/ndlemo-cmd");
}

TEST(CheckTransferTools, ReportsTheFirstMissingFileInFixedOrder) {
    const struct {
        bool Cmd, Pscp, Plink, Md5sum;
        const char* Missing; // relative to the temp directory, empty when all are present
    } rows[] = {
        {false, false, false, false, "ndlemo-cmd"},  {false, true, true, true, "ndlemo-cmd"},
        {true, false, false, false, "out/pscp.exe"}, {true, false, true, true, "out/pscp.exe"},
        {true, true, false, false, "out/plink.exe"}, {true, true, false, true, "out/plink.exe"},
        {true, true, true, false, "out/md5sum.exe"}, {true, true, true, true, ""},
    };
    for (const auto& row : rows) {
        TTestTempDir dir;
        std::filesystem::create_directory(dir.Path() / "out");
        if (row.Cmd)
            dir.WriteFile("ndlemo-cmd", "");
        if (row.Pscp)
            dir.WriteFile("out/pscp.exe", "");
        if (row.Plink)
            dir.WriteFile("out/plink.exe", "");
        if (row.Md5sum)
            dir.WriteFile("out/md5sum.exe", "");
        std::string expected =
            *row.Missing ? "Soubor \"" + (dir.Path() / row.Missing).string() + "\" neexistuje" : std::string();
        EXPECT_EQ(CheckMessage(dir.Path(), dir.Path() / "out"), expected) << row.Missing;
    }
}

TEST(CheckTransferTools, ADirectoryNamedLikeAToolIsNoTool) {
    TTestTempDir dir;
    dir.WriteFile("ndlemo-cmd", "");
    std::filesystem::create_directories(dir.Path() / "out" / "pscp.exe");
    EXPECT_EQ(CheckMessage(dir.Path(), dir.Path() / "out"),
              "Soubor \"" + (dir.Path() / "out" / "pscp.exe").string() + "\" neexistuje");
}

TEST(CheckTransferTools, AMissingOutputDirectoryNamesTheFirstTool) {
    TTestTempDir dir;
    dir.WriteFile("ndlemo-cmd", "");
    EXPECT_EQ(CheckMessage(dir.Path(), dir.Path() / "out"),
              "Soubor \"" + (dir.Path() / "out" / "pscp.exe").string() + "\" neexistuje");
}
