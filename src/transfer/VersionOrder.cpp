#include "transfer/VersionOrder.h"

#include "support/TextRules.h"

#include <charconv>
#include <string>

namespace ndlemo {

std::optional<std::array<uint32_t, 4>> ParseVersionNumbers(std::string_view text) {
    const std::string trimmed = TrimWhitespace(text);
    std::array<uint32_t, 4> numbers{};
    const char* p = trimmed.data();
    const char* const end = p + trimmed.size();
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != '.')
                return std::nullopt;
            ++p;
        }
        // from_chars takes no sign, blank or "+", only digits.
        if (p == end || *p < '0' || *p > '9')
            return std::nullopt;
        const auto [next, error] = std::from_chars(p, end, numbers[i]);
        if (error != std::errc())
            return std::nullopt;
        p = next;
    }
    if (p != end)
        return std::nullopt;
    return numbers;
}

bool IsVersionBelow(std::string_view version, std::string_view minimum) {
    const auto running = ParseVersionNumbers(version);
    const auto required = ParseVersionNumbers(minimum);
    return running && required && *running < *required;
}

} // namespace ndlemo
