#include "batch/TRecordLine.h"

#include "batch/TBatchCharTable.h"
#include "support/TextCodec.h"

#include <cstring>

namespace ndlemo {

namespace {

constexpr uint64_t HighBits = 0x8080808080808080ull;

// Characters of UTF-8 text: every byte that is not a continuation byte (10xxxxxx), eight at a time.
size_t CountChars(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
    size_t chars = 0;
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        uint64_t continuation = word & ~(word << 1) & HighBits;
        // One bit per byte: the multiplication sums the eight bytes into the top one.
        chars += 8 - static_cast<size_t>(((continuation >> 7) * 0x0101010101010101ull) >> 56);
    }
    for (; n > 0; ++p, --n)
        chars += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    return chars;
}

} // namespace

size_t TRecordLine::FirstHigh(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
    auto word = [p](size_t i) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        return w;
    };
    size_t i = 0;
    if (n >= 8) {
        // The usual pure ASCII line is settled by its words OR-ed together, the last one read overlapping the one
        // before it; only a line with a high byte looks for the word that holds it.
        uint64_t all = word(n - 8);
        for (size_t k = 0; k + 8 <= n; k += 8)
            all |= word(k);
        if ((all & HighBits) == 0)
            return NoHigh;
        while (i + 8 <= n && (word(i) & HighBits) == 0)
            i += 8;
    }
    for (; i < n; ++i) {
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return i;
    }
    return NoHigh;
}

TRecordLine::TRecordLine(std::string_view text, size_t firstHigh) : m_Text(text), m_FirstHigh(firstHigh) {
    if (firstHigh >= text.size()) {
        m_FirstHigh = text.size();
        m_Length = text.size();
    } else {
        m_Length = firstHigh + CountChars(text.substr(firstHigh));
    }
}

TRecordLine::TRecordLine(std::string_view raw, size_t firstHigh, const TBatchCharTable& table,
                         std::vector<char>& buffer)
    : m_Text(raw), m_Length(raw.size()), m_FirstHigh(firstHigh < raw.size() ? firstHigh : raw.size()), m_Table(&table),
      m_Buffer(&buffer) {}

std::string_view TRecordLine::Utf8() const {
    if (!m_Converted) {
        m_Utf8 = m_Table->Convert(m_Text, m_FirstHigh, *m_Buffer);
        m_Converted = true;
    }
    return m_Utf8;
}

size_t TRecordLine::Offset(std::string_view utf8, size_t charIndex) const {
    if (charIndex <= m_FirstHigh)
        return charIndex;
    if (charIndex >= m_Length)
        return utf8.size();
    return m_FirstHigh + Utf8Offset(utf8.substr(m_FirstHigh), charIndex - m_FirstHigh);
}

std::string_view TRecordLine::Mid(size_t start, size_t count) const {
    if (m_Table) {
        // Columns are bytes: a slice without high bytes is its own UTF-8 form.
        std::string_view raw = m_Text.substr(start, count);
        if (FirstHigh(raw) == NoHigh)
            return raw;
    }
    std::string_view utf8 = Text();
    size_t b = Offset(utf8, start);
    size_t e = count >= m_Length - start ? utf8.size() : Offset(utf8, start + count);
    return utf8.substr(b, e - b);
}

} // namespace ndlemo
