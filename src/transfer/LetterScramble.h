#pragma once

#include <string>
#include <string_view>

namespace ndlemo {

// The arrangement of the letters a to z that LetterScramble substitutes by; installation data.
inline constexpr std::string_view ScrambleTable = "dyopjiulqfcsnwzmkrxagebhtv";

// Replaces every ASCII letter by the letter at its alphabet position in ScrambleTable rotated left by the text's
// length (no rotation from 26 characters on), keeping its case; every other character stays. The result has the
// length and the case pattern of the text.
[[nodiscard]] std::string LetterScramble(std::string_view text);

// The password that every tool command line passes, built from its stored scrambled form on every call; it is
// never kept, written to a file or logged.
[[nodiscard]] std::string BuiltInScpPassword();

} // namespace ndlemo
