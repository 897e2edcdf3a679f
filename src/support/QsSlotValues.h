#pragma once

#include "support/TDate.h"
#include "support/TDateTime.h"
#include "support/TQsField.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value bytes of the stream table's slots: how each field type is stored, read as text and parsed,
// shared by the table and its fields.
namespace ndlemo::qs {

inline constexpr int32_t MsPerDay = 86400000;

[[noreturn]] void Fail(const std::string& message);
void PutU16(uint8_t* p, uint16_t v);
[[nodiscard]] uint16_t GetU16(const uint8_t* p);
void PutI32(uint8_t* p, int32_t value);
[[nodiscard]] int32_t GetI32(const uint8_t* p);
void PutDouble(uint8_t* p, double value);
[[nodiscard]] double GetDouble(const uint8_t* p);
[[nodiscard]] bool IsTextType(TQsFieldType t);
[[noreturn]] void AccessError(const TQsFieldDef& def, const char* asType);
[[nodiscard]] bool FitsInt32(double v);
[[nodiscard]] bool SameName(std::string_view a, std::string_view b);
[[nodiscard]] int32_t ParseInt32(std::string_view text);
[[nodiscard]] double ParseFloat(std::string_view text);
[[nodiscard]] std::string FloatText(double v);
[[noreturn]] void BadValue(const TQsFieldDef& def, double value);
[[nodiscard]] std::string TimeText(int32_t ms);
// "d.m.yyyy" with the system's date separator.
bool TryParseDate(std::string_view s, TDate& out);
// "h:mm" or "h:mm:ss", as milliseconds of the day.
bool TryParseTime(std::string_view s, int32_t& ms);
[[nodiscard]] int32_t MsOfDay(TDateTime value);
[[nodiscard]] TDateTime DateTimeOf(TDate date, int32_t ms);
// A date, optionally followed by blanks and a time.
[[nodiscard]] std::optional<TDateTime> TryParseDateTime(std::string_view s);
[[nodiscard]] std::string DateTimeText(TDateTime value);
// The value bytes of a slot (presence byte first); nullptr for null or for no slot at all.
[[nodiscard]] const uint8_t* ValueOf(const uint8_t* slot);
// Text of a slot; "" for null.
[[nodiscard]] std::string SlotText(const TQsFieldDef& def, const uint8_t* slot);

} // namespace ndlemo::qs
