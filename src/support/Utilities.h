#pragma once

#include "support/TDate.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ndlemo {

// Rounds to two decimals; an exact half of a cent rounds away from zero (1.005 is 100.4999... cents).
[[nodiscard]] double RoundTo2(double value);
// The text without any blank (character 32).
[[nodiscard]] std::string RemoveSpaces(std::string_view text);
// Puts fill (width - length) times before (atLeft) or after the value; never cuts. Counts characters.
[[nodiscard]] std::string PadText(std::string_view value, std::string_view fill, int width, bool atLeft);
// Decimal text with leading zeros up to width.
[[nodiscard]] std::string ZeroPadInt(int64_t value, int width);
// Last day of the month; raises ESubroutineError for a year outside 1900..3000 or a month outside 1..12.
[[nodiscard]] TDate LastDayOfMonth(uint16_t year, uint16_t month);
// The date, with the day lowered until it exists (31.4. gives 30.4.); raises ESubroutineError.
[[nodiscard]] TDate EncodeDateBackward(uint16_t year, uint16_t month, uint16_t day);
// yyyymmddhhnnsszzz and three pseudo-random digits: 20 characters.
[[nodiscard]] std::string MakeTimeStamp();
// The logged-in user's name; empty when the system does not tell.
[[nodiscard]] std::string GetWindowsUserName();
// The product version compiled into the file as four numbers, "0.0.0.0" when the file has none.
[[nodiscard]] std::string GetProductVersion(const std::filesystem::path& file);
// Czech letters between the tables 0 (Windows-1250), 1 (code page 852) and 2 (ISO 8859-2); works on bytes.
[[nodiscard]] std::string TranslateChars(int from, int to, std::string_view bytes);
// Deletes the files (never directories) matching a mask with * and ?, read-only ones too.
// Raises ESubroutineError naming the mask and the failure.
void DeleteFilesByMask(const std::filesystem::path& mask);
// The first name not taken by an existing file: "name", then "name_01"... (width digits); with datePrefix
// the base name starts with today's YYMMDD.
[[nodiscard]] std::filesystem::path UniqueFileName(const std::filesystem::path& fileName, int width, bool datePrefix);

// Whether a file name matches a mask of * and ? (letters compared regardless of case, as on Windows). A trailing
// ".*" also matches a name without an extension, as on Windows.
[[nodiscard]] bool MatchesMask(std::string_view name, std::string_view mask);
// ASCII upper case; other characters unchanged.
[[nodiscard]] std::string UpperCase(std::string_view text);

} // namespace ndlemo
