#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// Splits the bytes of a batch file into lines: a line feed, or carriage return and line feed, ends a line; a
// lone carriage return is dropped; Ctrl+Z ends the file. Reads an open stream in blocks (a line may be of any
// length) or takes bytes already in memory. The returned views stay valid until the next call.
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
    // Reads more bytes after those not yet consumed; false when the stream has none.
    bool Fill();

    std::FILE* m_Stream = nullptr;
    std::vector<char> m_Block;
    const char* m_Pos = nullptr;
    const char* m_End = nullptr;
    bool m_Eof = false;
    bool m_Finished = false;
    std::string m_Line; // a line with carriage returns inside, without them
};

} // namespace ndlemo
