#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ndlemo {

class TBatchCharTable;

// One record line seen by its columns: positions and lengths count characters. Up to the first non-ASCII
// character a column is a byte; only slices beyond it walk the characters.
//
// The line is UTF-8 text, or the raw bytes of a batch line whose every byte is one character
// (TBatchCharTable::BytesAreColumns). A raw line is converted to UTF-8 only when a slice with a byte above 0x7F
// or the whole text is asked for: the columns the checks read are nearly always plain ASCII.
class TRecordLine {
public:
    static constexpr size_t NoHigh = static_cast<size_t>(-1);

    explicit TRecordLine(std::string_view text) : TRecordLine(text, FirstHigh(text)) {}
    // For a caller that has already looked for the first byte above 0x7F (NoHigh: none).
    TRecordLine(std::string_view text, size_t firstHigh);
    // A raw batch line, for a table whose BytesAreColumns holds; its UTF-8 form, when needed, goes into buffer,
    // which must outlive the slices.
    TRecordLine(std::string_view raw, size_t firstHigh, const TBatchCharTable& table, std::vector<char>& buffer);

    // The whole line as UTF-8.
    [[nodiscard]] std::string_view Text() const { return m_Table ? Utf8() : m_Text; }
    // The line's first byte: an ASCII record letter is the same in both forms.
    [[nodiscard]] char FirstByte() const { return m_Text.empty() ? '\0' : m_Text[0]; }
    [[nodiscard]] size_t Length() const { return m_Length; }
    // The characters of columns [from, from + width), 1-based; shorter at the end of the line.
    [[nodiscard]] std::string_view Slice(size_t from, size_t width) const {
        if (from == 0 || from > m_Length)
            return {};
        if (from - 1 + width <= m_FirstHigh)
            return std::string_view(m_Text.data() + from - 1, width); // wholly inside the text
        return Mid(from - 1, width);
    }
    // The first character (empty for an empty line).
    [[nodiscard]] std::string_view First() const { return Slice(1, 1); }

    // Index of the first byte above 0x7F, or NoHigh.
    [[nodiscard]] static size_t FirstHigh(std::string_view text);

private:
    [[nodiscard]] std::string_view Mid(size_t start, size_t count) const;
    [[nodiscard]] size_t Offset(std::string_view utf8, size_t charIndex) const;
    // The UTF-8 form of a raw line, converted at the first call.
    [[nodiscard]] std::string_view Utf8() const;

    // The UTF-8 text, or the raw bytes.
    std::string_view m_Text;
    size_t m_Length = 0;
    // Bytes and characters coincide before this index.
    size_t m_FirstHigh = 0;
    // Only for a raw line.
    const TBatchCharTable* m_Table = nullptr;
    std::vector<char>* m_Buffer = nullptr;
    mutable std::string_view m_Utf8;
    mutable bool m_Converted = false;
};

} // namespace ndlemo
