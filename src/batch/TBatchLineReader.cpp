#include "batch/TBatchLineReader.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace ndlemo {

namespace {
constexpr size_t BlockSize = 1 << 18;

// The first occurrence of c in [p, end), or nullptr.
const char* Find(const char* p, const char* end, char c) {
    if (p == end)
        return nullptr; // also keeps a null pointer of empty data away from memchr
    return static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(end - p)));
}
} // namespace

TBatchLineReader::TBatchLineReader(std::FILE* stream) : m_Stream(stream), m_Block(BlockSize) {
    m_Pos = m_End = m_Block.data();
}

TBatchLineReader::TBatchLineReader(std::string_view data) : m_Eof(true) {
    m_Pos = data.data();
    m_End = data.data() + data.size();
    // Nothing after a Ctrl+Z counts: the bytes simply end there.
    if (const char* z = Find(m_Pos, m_End, CtrlZ))
        m_End = z;
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
    // A Ctrl+Z ends the file: the stream is not read beyond it.
    if (const char* z = Find(base + kept, m_End, CtrlZ)) {
        m_End = z;
        m_Eof = true;
    }
    return m_End != base + kept;
}

bool TBatchLineReader::AtEnd() {
    return m_Pos == m_End && !Fill();
}

bool TBatchLineReader::Next(std::string_view& line) {
    // The line feed is looked for in what is already read, then in more blocks (offsets from m_Pos, which stay
    // right when Fill moves the bytes).
    size_t searched = 0;
    const char* feed = nullptr;
    while (!(feed = Find(m_Pos + searched, m_End, '\n'))) {
        searched = static_cast<size_t>(m_End - m_Pos);
        if (!Fill())
            break;
    }
    const char* start = m_Pos;
    const char* lineEnd = feed ? feed : m_End;
    if (!feed && start == lineEnd)
        return false; // nothing after the last line end
    m_Pos = feed ? feed + 1 : m_End;
    // The return of a CR LF end (or one before the file's end) is cut off; only returns inside need a copy.
    if (lineEnd != start && lineEnd[-1] == '\r')
        --lineEnd;
    if (!Find(start, lineEnd, '\r')) {
        line = std::string_view(start, static_cast<size_t>(lineEnd - start));
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
