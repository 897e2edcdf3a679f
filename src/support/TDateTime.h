#pragma once

#include "support/TDate.h"

#include <compare>

namespace ndlemo {

// A moment as days (with the time as the fraction) from 30.12.1899; 0 is "no date".
class TDateTime {
public:
    constexpr TDateTime() = default;
    constexpr explicit TDateTime(double value) : m_Value(value) {}
    static TDateTime FromParts(int year, int month, int day, int hour, int minute, int second, int msec = 0);

    [[nodiscard]] constexpr double Value() const { return m_Value; }
    [[nodiscard]] constexpr bool IsNull() const { return m_Value == 0.0; }
    [[nodiscard]] TDate Date() const;
    // Hour, minute, second and milliseconds of the day.
    void DecodeTime(int& hour, int& minute, int& second, int& msec) const;

    friend constexpr auto operator<=>(TDateTime, TDateTime) = default;

private:
    double m_Value = 0.0;
};

} // namespace ndlemo
