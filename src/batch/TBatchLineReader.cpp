#include "batch/TBatchLineReader.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace ndlemo {

namespace {
constexpr size_t BlockSize = 1 << 18;

bool IsSpecial(char c) {
    return c == '\n' || c == '\r' || c == TBatchLineReader::CtrlZ;
}

// The first line feed, carriage return or Ctrl+Z in [p, end), sixteen bytes at a time.
const char* FindSpecial(const char* p, const char* end) {
    using Bytes16 = unsigned char __attribute__((vector_size(16)));
    while (end - p >= 16) {
        Bytes16 v;
        std::memcpy(&v, p, 16);
        auto hits = (v == '\n') | (v == '\r') | (v == TBatchLineReader::CtrlZ);
        uint64_t half[2];
        std::memcpy(half, &hits, 16);
        if (half[0] != 0)
            return p + __builtin_ctzll(half[0]) / 8;
        if (half[1] != 0)
            return p + 8 + __builtin_ctzll(half[1]) / 8;
        p += 16;
    }
    for (; p < end; ++p) {
        if (IsSpecial(*p))
            return p;
    }
    return nullptr;
}
} // namespace

TBatchLineReader::TBatchLineReader(std::FILE* stream) : m_Stream(stream), m_Block(BlockSize) {
    m_Pos = m_End = m_Block.data();
}

TBatchLineReader::TBatchLineReader(std::string_view data) : m_Eof(true) {
    m_Pos = data.data();
    m_End = data.data() + data.size();
}

bool TBatchLineReader::Fill() {
    if (m_Eof)
        return false;
    size_t kept = static_cast<size_t>(m_End - m_Pos);
    if (m_Pos != m_Block.data()) {
        std::memmove(m_Block.data(), m_Pos, kept);
    } else if (kept == m_Block.size()) {
        // One line longer than the block: the block grows with it.
        m_Block.resize(m_Block.size() * 2);
    }
    char* base = m_Block.data();
    size_t got = std::fread(base + kept, 1, m_Block.size() - kept, m_Stream);
    if (got < m_Block.size() - kept) {
        if (std::ferror(m_Stream))
            throw std::system_error(errno ? errno : EIO, std::generic_category());
        m_Eof = true;
    }
    m_Pos = base;
    m_End = base + kept + got;
    return got > 0;
}

bool TBatchLineReader::AtEnd() {
    if (m_Finished)
        return true;
    if (m_Pos == m_End && !Fill())
        return true;
    return *m_Pos == CtrlZ;
}

bool TBatchLineReader::Next(std::string_view& line) {
    if (m_Finished)
        return false;
    // One pass finds the end of the line and counts the carriage returns before it (offsets from m_Pos,
    // which stay right when Fill moves the bytes).
    size_t searched = 0;
    size_t returns = 0;
    size_t lastReturn = 0;
    const char* hit = nullptr;
    for (;;) {
        const char* p = m_Pos + searched;
        for (;;) {
            p = FindSpecial(p, m_End);
            if (!p || *p != '\r')
                break;
            ++returns;
            lastReturn = static_cast<size_t>(p - m_Pos);
            ++p;
            // The usual CR LF end needs no further search.
            if (p < m_End && *p == '\n')
                break;
        }
        if (p) {
            hit = p;
            break;
        }
        searched = static_cast<size_t>(m_End - m_Pos);
        if (!Fill())
            break;
    }
    const char* start = m_Pos;
    const char* lineEnd = hit ? hit : m_End;
    if (hit && *hit == CtrlZ) {
        m_Finished = true;
        if (hit == start)
            return false;
    } else if (hit) {
        m_Pos = hit + 1;
    } else {
        m_Pos = m_End;
        m_Finished = true;
        if (start == lineEnd)
            return false; // nothing after the last line end
    }
    size_t length = static_cast<size_t>(lineEnd - start);
    // The return of a CR LF end (or one before the file's end) is cut off; only returns inside need a copy.
    if (returns == 0 || (returns == 1 && lastReturn == length - 1)) {
        line = std::string_view(start, returns == 0 ? length : length - 1);
        return true;
    }
    m_Line.clear();
    for (const char* c = start; c != lineEnd; ++c) {
        if (*c != '\r')
            m_Line += *c;
    }
    line = m_Line;
    return true;
}

} // namespace ndlemo
