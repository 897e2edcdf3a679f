#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ndlemo {

// One record line (UTF-8) seen by its columns: positions and lengths count characters. Up to the first
// non-ASCII character a column is a byte; only slices beyond it walk the characters.
class TVeta {
public:
    static constexpr size_t NoHigh = static_cast<size_t>(-1);

    explicit TVeta(std::string_view text) : TVeta(text, FirstHigh(text)) {}
    // For a caller that has already looked for the first byte above 0x7F (NoHigh: none).
    TVeta(std::string_view text, size_t firstHigh);

    [[nodiscard]] std::string_view Text() const { return m_Text; }
    [[nodiscard]] size_t Delka() const { return m_Delka; }
    // The characters of columns [od, od + sirka), 1-based; shorter at the end of the line.
    [[nodiscard]] std::string_view Sloupce(size_t od, size_t sirka) const {
        if (od == 0 || od > m_Delka)
            return {};
        if (od - 1 + sirka <= m_FirstHigh)
            return m_Text.substr(od - 1, sirka);
        return Mid(od - 1, sirka);
    }
    // The first character (empty for an empty line).
    [[nodiscard]] std::string_view Prvni() const { return Sloupce(1, 1); }

    // Index of the first byte above 0x7F, or NoHigh.
    [[nodiscard]] static size_t FirstHigh(std::string_view text);

private:
    [[nodiscard]] std::string_view Mid(size_t start, size_t count) const;
    [[nodiscard]] size_t Offset(size_t charIndex) const;

    std::string_view m_Text;
    size_t m_Delka = 0;
    // Bytes and characters coincide before this index.
    size_t m_FirstHigh = 0;
};

} // namespace ndlemo
