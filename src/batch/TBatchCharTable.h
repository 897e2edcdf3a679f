#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ndlemo {

// The UTF-8 form of every byte of a batch line (code page 852), so that a line is converted without allocating.
class TBatchCharTable {
public:
    [[nodiscard]] static const TBatchCharTable& Instance();

    // Bytes below 0x80 stay as they are, so a pure ASCII line needs no conversion.
    [[nodiscard]] bool AsciiUnchanged() const { return m_AsciiUnchanged; }
    // Besides, every byte becomes one character and no byte above 0x7F becomes ASCII: the columns of a raw line
    // are its bytes, and a slice of ASCII bytes is already its own UTF-8 form.
    [[nodiscard]] bool BytesAreColumns() const { return m_BytesAreColumns; }

    // The UTF-8 form of raw in out; the bytes before plain are known to stay as they are.
    [[nodiscard]] std::string_view Convert(std::string_view raw, size_t plain, std::vector<char>& out) const;

private:
    TBatchCharTable();

    struct TUtf8 {
        uint8_t Length = 0;
        char Bytes[4] = {};
    };
    std::array<TUtf8, 256> m_Utf8;
    bool m_AsciiUnchanged = true;
    bool m_BytesAreColumns = true;
};

} // namespace ndlemo
