#pragma once

#include "batch/Conversions.h"
#include "batch/TColumns.h"
#include "batch/TRecordLine.h"
#include "support/ESubroutineError.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ndlemo {

// The conversion kinds of the record layouts (RecordLayouts.h) applied to the fields of one line. Text and
// lenient-integer columns that no check reads need not be decoded at all: those kinds never fail.
class TRecordDecoder {
public:
    explicit TRecordDecoder(const TRecordLine& line) : m_Line(line) {}

    [[nodiscard]] std::string_view Text(TColumns field) const { return TrimControls(Slice(field)); }
    [[nodiscard]] int32_t Integer(TColumns field) const { return TextToInteger(Slice(field)); }
    [[nodiscard]] double Decimal(TColumns field) const { return TextNaCislo(Slice(field)); }
    [[nodiscard]] TDate Date(TColumns field) const { return TextNaDatum(Slice(field)); }
    // Fields decoded for their errors only.
    void CheckInteger(TColumns field) const { ndlemo::CheckInteger(Slice(field)); }
    void CheckDecimal(TColumns field) const { ndlemo::CheckDecimal(Slice(field)); }

    template <size_t N> [[nodiscard]] bool HasLength(const std::array<size_t, N>& lengths) const {
        for (size_t length : lengths) {
            if (m_Line.Length() == length)
                return true;
        }
        return false;
    }
    // Raises "Chybná délka věty "label"" unless the line has one of the lengths.
    template <size_t N> void RequireLength(const std::array<size_t, N>& lengths, std::string_view label) const {
        if (!HasLength(lengths))
            RaiseWrongLength(label);
    }
    [[noreturn]] static void RaiseWrongLength(std::string_view label) {
        throw ESubroutineError("Chybná délka věty \"%s\"", label);
    }

private:
    [[nodiscard]] std::string_view Slice(TColumns field) const { return m_Line.Slice(field.From, field.Width); }

    const TRecordLine& m_Line;
};

} // namespace ndlemo
