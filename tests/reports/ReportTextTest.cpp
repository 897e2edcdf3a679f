#include "reports/ReportText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ndlemo {
namespace {

TEST(SplitLinesTest, BreaksAtEveryKindOfLineEnd) {
    using Lines = std::vector<std::string>;
    const std::pair<const char*, Lines> rows[] = {
        {"", {}},
        {"jedna", {"jedna"}},
        {"jedna\r\ndva", {"jedna", "dva"}},
        {"jedna\ndva\rtři", {"jedna", "dva", "tři"}},
        {"jedna\r\n\r\ndva", {"jedna", "", "dva"}},
        {"jedna\r\n", {"jedna"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
    };
    for (const auto& [text, lines] : rows)
        EXPECT_EQ(SplitLines(text), lines) << text;
}

} // namespace
} // namespace ndlemo
