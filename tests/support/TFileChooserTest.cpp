#include "support/TFileChooser.h"

#include "platform/Platform.h"
#include "platform/TCurrentDirectoryGuard.h"
#include "support/TScriptedFileChooser.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
// A chooser that browses elsewhere, as the user may, before it answers.
class TBrowsingChooser : public TScriptedFileChooser {
public:
    explicit TBrowsingChooser(fs::path browse) : m_Browse(std::move(browse)) {}
    bool Choose(const fs::path& startDir, const std::string& filter, fs::path& file) override {
        EXPECT_TRUE(platform::SetCurrentDirectory(m_Browse));
        return TScriptedFileChooser::Choose(startDir, filter, file);
    }

private:
    fs::path m_Browse;
};
} // namespace

TEST(SelectFile, OpensInTheInitialDirectoryOnlyWhenItExists) {
    test::TTestTempDir dir("select");
    const fs::path cwd = platform::CurrentDirectory();
    struct Row {
        std::string Initial;
        fs::path Expected;
    };
    const Row rows[] = {
        {dir.Path().string(), dir.Path()},
        {"", cwd},
        {(dir.Path() / "missing").string(), cwd},
    };
    for (const Row& row : rows) {
        TScriptedFileChooser chooser;
        fs::path file;
        EXPECT_FALSE(SelectFile(row.Initial, " *.pdf;*.doc ", file));
        ASSERT_EQ(chooser.Opened.size(), 1u);
        EXPECT_EQ(chooser.Opened[0].StartDir, row.Expected) << row.Initial;
        EXPECT_EQ(chooser.Opened[0].Filter, "*.pdf;*.doc");
    }
}

TEST(SelectFile, GivesTheChosenFileAndKeepsTheCurrentDirectory) {
    test::TTestTempDir dir("select");
    dir.WriteFile("scan.PDF", "x");
    platform::TCurrentDirectoryGuard restore;
    const fs::path cwd = platform::CurrentDirectory();
    TBrowsingChooser chooser(dir.Path());
    chooser.Answers = {dir.Path() / "scan.PDF", std::nullopt};
    fs::path file;
    ASSERT_TRUE(SelectFile(dir.Path().string(), "*.pdf", file));
    EXPECT_EQ(file, dir.Path() / "scan.PDF");
    EXPECT_EQ(platform::CurrentDirectory(), cwd);
    // Cancelled: nothing chosen, and the directory is back as well.
    fs::path none;
    EXPECT_FALSE(SelectFile(dir.Path().string(), "*.pdf", none));
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(platform::CurrentDirectory(), cwd);
}

TEST(SelectFile, ChoosesNothingWithoutAChooser) {
    fs::path file;
    EXPECT_FALSE(SelectFile("/", "*.*", file));
}
