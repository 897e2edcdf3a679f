#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ndlemo {

// Text is UTF-8 inside the program; these are the edges to the single-byte code pages.

// Windows-1250 bytes to UTF-8 (the five unassigned bytes map to the C1 controls of the same code).
[[nodiscard]] std::string Cp1250ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1250; characters without a byte there, and malformed sequences, become "?".
[[nodiscard]] std::string Utf8ToCp1250(std::string_view text);
// Whether every character of the UTF-8 text has a byte in Windows-1250 (and the text is well formed).
[[nodiscard]] bool FitsCp1250(std::string_view text);
// A line of a batch file (code page 852): its Czech letters translated to Windows-1250, then to UTF-8.
[[nodiscard]] std::string BatchLineToUtf8(std::string_view bytes);
// Whether the bytes are well-formed UTF-8.
[[nodiscard]] bool IsUtf8(std::string_view bytes);
// Text from outside the program (a server's file, a tool's output) as UTF-8: kept when it is UTF-8, otherwise
// read as Windows-1250.
[[nodiscard]] std::string ExternalTextToUtf8(std::string_view bytes);

// Number of characters (code points) of UTF-8 text.
[[nodiscard]] size_t Utf8Length(std::string_view text);
// Byte offset of the character with the given index (the text's size when past its end).
[[nodiscard]] size_t Utf8Offset(std::string_view text, size_t charIndex);
// The characters [start, start + count) of UTF-8 text.
[[nodiscard]] std::string_view Utf8Mid(std::string_view text, size_t start, size_t count);
[[nodiscard]] inline std::string_view Utf8Left(std::string_view text, size_t count) {
    return Utf8Mid(text, 0, count);
}

} // namespace ndlemo
