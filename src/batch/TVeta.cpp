#include "batch/TVeta.h"

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

size_t TVeta::FirstHigh(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
    size_t i = 0;
    for (; n - i >= 8; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & HighBits)
            break;
    }
    for (; i < n; ++i) {
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return i;
    }
    return NoHigh;
}

TVeta::TVeta(std::string_view text, size_t firstHigh) : m_Text(text), m_FirstHigh(firstHigh) {
    if (firstHigh >= text.size()) {
        m_FirstHigh = text.size();
        m_Delka = text.size();
    } else {
        m_Delka = firstHigh + CountChars(text.substr(firstHigh));
    }
}

size_t TVeta::Offset(size_t charIndex) const {
    if (charIndex <= m_FirstHigh)
        return charIndex;
    if (charIndex >= m_Delka)
        return m_Text.size();
    return m_FirstHigh + Utf8Offset(m_Text.substr(m_FirstHigh), charIndex - m_FirstHigh);
}

std::string_view TVeta::Mid(size_t start, size_t count) const {
    size_t b = Offset(start);
    size_t e = count >= m_Delka - start ? m_Text.size() : Offset(start + count);
    return m_Text.substr(b, e - b);
}

} // namespace ndlemo
