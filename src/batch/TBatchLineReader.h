#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// Splits the bytes of a batch file into lines: a line feed, or carriage return and line feed, ends a line; a
// lone carriage return is dropped; Ctrl+Z ends the file. Reads an open stream in blocks (a line may be of any
// length) or takes bytes already in memory. The returned views stay valid until the next call. The data ends at
// its first Ctrl+Z, so that the line search needs to look for line feeds only.
class TBatchLineReader {
public:
    static constexpr char CtrlZ = 0x1A;

    // The stream stays the caller's to close.
    explicit TBatchLineReader(std::FILE* stream);
    explicit TBatchLineReader(std::string_view data);

    // Nothing (more) to read: no bytes, or Ctrl+Z next.
    [[nodiscard]] bool AtEnd();
    // The next line's bytes without its end; false at the end of the file.
    bool Next(std::string_view& line);

private:
    // Reads more bytes after those not yet consumed; false when the stream has none (before a Ctrl+Z).
    bool Fill();

    std::FILE* m_Stream = nullptr;
    std::vector<char> m_Block;
    const char* m_Pos = nullptr;
    const char* m_End = nullptr;
    // Set once the stream has no more bytes, or a Ctrl+Z has cut them off.
    bool m_Eof = false;
    std::string m_Line; // a line with carriage returns inside, without them
};

} // namespace ndlemo
