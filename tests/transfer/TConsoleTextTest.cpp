#include "transfer/TConsoleText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ndlemo;

namespace {
std::string Shown(const TConsoleText& text) {
    std::string out;
    for (const auto& line : text.Lines())
        out += line + "|";
    return out;
}
} // namespace

TEST(TConsoleText, LinesProgressMeterAndControlCharacters) {
    const struct {
        std::vector<const char*> Chunks;
        const char* Lines;
    } rows[] = {
        {{"abc\ndef"}, "abc|def|"},
        {{"ab", "c\n", "d"}, "abc|d|"},
        {{"one\r\ntwo\r\n"}, "one|two||"},
        {{"one\r", "\ntwo"}, "one|two|"},                                                   // CR LF split between reads
        {{"P.zip | 10 kB |  50%\r", "P.zip | 20 kB | 100%\r\n"}, "P.zip | 20 kB | 100%||"}, // pscp's meter
        {{"long line\rshort"}, "short|"},
        {{"a\tb\x07\x1b[0m\x7F"}, "a\tb[0m|"},
        {{""}, "|"},
    };
    for (const auto& row : rows) {
        TConsoleText text;
        for (const char* chunk : row.Chunks)
            text.Append(chunk);
        EXPECT_EQ(Shown(text), row.Lines) << row.Chunks[0];
    }
}

TEST(TConsoleText, TellsWhichLinesChanged) {
    TConsoleText text;
    text.Append("first\nsec");
    EXPECT_EQ(text.FirstChanged(), 0u);
    text.TakeChanges();
    EXPECT_EQ(text.FirstChanged(), 1u);
    text.Append("ond\nthird");
    EXPECT_EQ(text.FirstChanged(), 1u);
    text.TakeChanges();
    text.Append("\r3rd");
    EXPECT_EQ(text.FirstChanged(), 2u);
    EXPECT_EQ(Shown(text), "first|second|3rd|");
}
