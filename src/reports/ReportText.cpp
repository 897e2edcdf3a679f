#include "reports/ReportText.h"

namespace ndlemo {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    // A break at the very end ends the last line; it does not start another.
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace ndlemo
