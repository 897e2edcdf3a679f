#include "batch/TBatchCharTable.h"

#include "support/TextCodec.h"

#include <cstring>
#include <string>

namespace ndlemo {

const TBatchCharTable& TBatchCharTable::Instance() {
    static const TBatchCharTable table;
    return table;
}

TBatchCharTable::TBatchCharTable() {
    for (int b = 0; b < 256; ++b) {
        std::string one = BatchLineToUtf8(std::string(1, static_cast<char>(b)));
        if (one.size() > sizeof m_Utf8[b].Bytes)
            one = "?";
        m_Utf8[b].Length = static_cast<uint8_t>(one.size());
        std::memcpy(m_Utf8[b].Bytes, one.data(), one.size());
        if (b < 0x80 && one != std::string(1, static_cast<char>(b)))
            m_AsciiUnchanged = false;
        if (Utf8Length(one) != 1 || (b >= 0x80 && static_cast<unsigned char>(one[0]) < 0x80))
            m_BytesAreColumns = false;
    }
    m_BytesAreColumns = m_BytesAreColumns && m_AsciiUnchanged;
}

std::string_view TBatchCharTable::Convert(std::string_view raw, size_t plain, std::vector<char>& out) const {
    if (out.size() < raw.size() * 4)
        out.resize(raw.size() * 4);
    char* p = out.data();
    std::memcpy(p, raw.data(), plain);
    p += plain;
    for (char c : raw.substr(plain)) {
        const TUtf8& u = m_Utf8[static_cast<unsigned char>(c)];
        std::memcpy(p, u.Bytes, 4);
        p += u.Length;
    }
    return std::string_view(out.data(), static_cast<size_t>(p - out.data()));
}

} // namespace ndlemo
