#pragma once

#include "batch/Conversions.h"
#include "batch/TRecordLine.h"
#include "support/ESubroutineError.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace ndlemo {

// The conversion kinds of the record layouts applied to the columns of one line. Text and lenient-integer
// columns that no check reads need not be decoded at all: those kinds never fail.
class TRecordDecoder {
public:
    explicit TRecordDecoder(const TRecordLine& line) : m_Line(line) {}

    [[nodiscard]] std::string_view Text(size_t from, size_t width) const {
        return TrimSlice(m_Line.Slice(from, width));
    }
    [[nodiscard]] int32_t Integer(size_t from, size_t width) const { return TextToInteger(m_Line.Slice(from, width)); }
    [[nodiscard]] double Decimal(size_t from, size_t width) const { return TextNaCislo(m_Line.Slice(from, width)); }
    [[nodiscard]] TDate Date(size_t from, size_t width) const { return TextNaDatum(m_Line.Slice(from, width)); }
    // Columns decoded for their errors only.
    void CheckInteger(size_t from, size_t width) const { ndlemo::CheckInteger(m_Line.Slice(from, width)); }
    void CheckDecimal(size_t from, size_t width) const { ndlemo::CheckDecimal(m_Line.Slice(from, width)); }

    [[nodiscard]] bool HasLength(std::initializer_list<size_t> lengths) const {
        for (size_t length : lengths) {
            if (m_Line.Length() == length)
                return true;
        }
        return false;
    }
    // Raises "Chybná délka věty "label"" unless the line has one of the lengths.
    void RequireLength(std::initializer_list<size_t> lengths, std::string_view label) const {
        if (!HasLength(lengths))
            RaiseWrongLength(label);
    }
    [[noreturn]] static void RaiseWrongLength(std::string_view label) {
        throw ESubroutineError("Chybná délka věty \"%s\"", label);
    }

private:
    const TRecordLine& m_Line;
};

} // namespace ndlemo
