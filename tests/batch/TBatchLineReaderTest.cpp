#include "batch/TBatchLineReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace ndlemo {
namespace {

std::vector<std::string> Split(TBatchLineReader& reader) {
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    return lines;
}

std::vector<std::string> FromMemory(const std::string& bytes) {
    TBatchLineReader reader(bytes);
    return Split(reader);
}

// The same bytes through a stream, so that lines cross the reader's blocks.
std::vector<std::string> FromStream(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
    EXPECT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f.get());
    std::rewind(f.get());
    TBatchLineReader reader(f.get());
    return Split(reader);
}

using Lines = std::vector<std::string>;

struct SplitCase {
    std::string Bytes;
    Lines Expected;
};

class LineSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitTest, SplitsAlikeFromMemoryAndStream) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(FromMemory(c.Bytes), c.Expected);
    EXPECT_EQ(FromStream(c.Bytes), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Endings, LineSplitTest,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\n", {"a"}},
                                           SplitCase{"a\nb", {"a", "b"}}, SplitCase{"a\r\nb\r\n", {"a", "b"}},
                                           SplitCase{"a\n\n\r\nb", {"a", "", "", "b"}}, SplitCase{"\n", {""}},
                                           SplitCase{"a\rb\r\n", {"ab"}}, SplitCase{"a\r\rb\r", {"ab"}},
                                           SplitCase{"\r\n\r", {"", ""}},
                                           SplitCase{"a\x1A"
                                                     "b\nc",
                                                     {"a"}},
                                           SplitCase{"a\n\x1A\nb", {"a"}},
                                           SplitCase{"\x1A"
                                                     "a",
                                                     {}},
                                           SplitCase{"a\r\x1A", {"a"}}, SplitCase{"a\tb\x01\n", {"a\tb\x01"}},
                                           SplitCase{"0123456789abcdef0123456789\r\n0123456789abcdef\rX\n",
                                                     {"0123456789abcdef0123456789", "0123456789abcdefX"}}));

TEST(TBatchLineReaderTest, KnowsAnEmptyFileAndACtrlZAtTheStart) {
    TBatchLineReader empty(std::string_view{});
    EXPECT_TRUE(empty.AtEnd());
    TBatchLineReader ctrlZ(std::string_view("\x1A"
                                            "abc"));
    EXPECT_TRUE(ctrlZ.AtEnd());
    TBatchLineReader blank(std::string_view("\n"));
    EXPECT_FALSE(blank.AtEnd());
}

TEST(TBatchLineReaderTest, ReadsLinesLongerThanItsBlockAndManyAcrossBlocks) {
    std::string longLine(1 << 20, 'x');
    longLine[12345] = '\r';
    std::string bytes = "first\r\n" + longLine + "\r\nlast";
    Lines lines = FromStream(bytes);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1].size(), (1u << 20) - 1);
    EXPECT_EQ(lines[1].find('\r'), std::string::npos);
    EXPECT_EQ(lines[2], "last");

    std::string many;
    Lines expected;
    for (int i = 0; i < 60000; ++i) {
        expected.push_back("line " + std::to_string(i));
        many += expected.back() + (i % 2 ? "\r\n" : "\n");
    }
    EXPECT_EQ(FromStream(many), expected);
    // A carriage return and its line feed split by a block boundary.
    std::string split(262143, 'y');
    EXPECT_EQ(FromStream(split + "\r\nz"), (Lines{split, "z"}));
}

std::vector<std::string> LinesOfStream(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
    EXPECT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f.get());
    std::rewind(f.get());
    TBatchLineReader reader(f.get());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    EXPECT_TRUE(reader.AtEnd());
    return lines;
}

TEST(TBatchLineReaderTest, ACtrlZInALaterBlockEndsTheFileThere) {
    std::string first(300000, 'a');
    // The Ctrl+Z after a carriage return, both beyond the first block, in the middle of a line.
    std::vector<std::string> lines = LinesOfStream("x\r\n" + first +
                                                   "b\r\x1A"
                                                   "c\r\nd\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x");
    EXPECT_EQ(lines[1], first + "b");
    // The Ctrl+Z right at the start of a block.
    std::string line(262143, 'y');
    EXPECT_EQ(LinesOfStream(line + "\n\x1A"
                                   "z\n"),
              (std::vector<std::string>{line}));
}

} // namespace
} // namespace ndlemo
