#include "batch/TRecordLine.h"

#include "batch/TBatchCharTable.h"
#include "support/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ndlemo {
namespace {

// Code page 852 lines: pure ASCII, Czech letters at the start, in the middle and at the end, a run of them, and
// every byte above 0x7F.
std::vector<std::string> RawLines() {
    std::string high;
    for (int b = 0x80; b < 0x100; ++b)
        high += static_cast<char>(b);
    return {"V15032011 09513",
            "\xA0"
            "bc",
            "ab\xD8"
            "cd\xE7"
            "ef  12",
            "0123456789\xA0\xA0\xA0",
            "x",
            "\x9F",
            "12 " + high + " 34"};
}

TEST(TRecordLineTest, ARawLineHasTheColumnsOfItsUtf8Form) {
    const TBatchCharTable& table = TBatchCharTable::Instance();
    ASSERT_TRUE(table.BytesAreColumns());
    for (const std::string& raw : RawLines()) {
        std::string utf8 = BatchLineToUtf8(raw);
        TRecordLine fromUtf8(utf8);
        std::vector<char> buffer;
        TRecordLine fromRaw(raw, TRecordLine::FirstHigh(raw), table, buffer);
        EXPECT_EQ(fromRaw.Length(), fromUtf8.Length()) << raw;
        EXPECT_EQ(fromRaw.First(), fromUtf8.First()) << raw;
        for (size_t from = 0; from <= raw.size() + 2; ++from) {
            for (size_t width = 0; width <= raw.size() + 2; ++width)
                ASSERT_EQ(fromRaw.Slice(from, width), fromUtf8.Slice(from, width))
                    << raw << " " << from << "," << width;
        }
        EXPECT_EQ(fromRaw.Text(), utf8);

        // The whole text first, the columns after it.
        std::vector<char> other;
        TRecordLine textFirst(raw, TRecordLine::FirstHigh(raw), table, other);
        EXPECT_EQ(textFirst.Text(), utf8);
        for (size_t from = 1; from <= raw.size(); ++from)
            ASSERT_EQ(textFirst.Slice(from, 3), fromUtf8.Slice(from, 3)) << raw << " " << from;
    }
}

TEST(TRecordLineTest, ARawLineIsConvertedOnlyForItsNonAsciiColumns) {
    std::string raw = "V1503 M\xA1sto 12";
    std::vector<char> buffer;
    TRecordLine v(raw, TRecordLine::FirstHigh(raw), TBatchCharTable::Instance(), buffer);
    EXPECT_EQ(v.Slice(2, 4), "1503");
    EXPECT_EQ(v.Slice(13, 2), "12");
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(v.Slice(7, 5), "Místo");
    EXPECT_EQ(v.Slice(13, 2), "12");
}

TEST(TRecordLineTest, FindsTheFirstHighByteAtEveryPlace) {
    for (size_t length = 0; length <= 40; ++length) {
        std::string ascii(length, 'a');
        EXPECT_EQ(TRecordLine::FirstHigh(ascii), TRecordLine::NoHigh) << length;
        for (size_t at = 0; at < length; ++at) {
            std::string s = ascii;
            s[at] = static_cast<char>(0x80 + at);
            if (at + 1 < length)
                s[length - 1] = static_cast<char>(0xFF); // a later one does not count
            EXPECT_EQ(TRecordLine::FirstHigh(s), at) << length << " " << at;
        }
    }
}

} // namespace
} // namespace ndlemo
