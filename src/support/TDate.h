#pragma once

#include <compare>
#include <cstdint>

namespace ndlemo {

// A whole day, counted from 30.12.1899 as in the stored files of the program's tables; 0 is "no date".
class TDate {
public:
    constexpr TDate() = default;
    constexpr explicit TDate(int32_t serial) : m_Serial(serial) {}

    // The caller guarantees a valid Gregorian date; see TryFromYmd for the checked form.
    static TDate FromYmd(int year, int month, int day);
    // False when the day does not exist (month 1..12, day within the month, year 1..9999).
    static bool TryFromYmd(int year, int month, int day, TDate& out);
    static bool IsLeapYear(int year);
    static int DaysInMonth(int year, int month);

    [[nodiscard]] constexpr int32_t Serial() const { return m_Serial; }
    [[nodiscard]] constexpr bool IsNull() const { return m_Serial == 0; }
    void Decode(int& year, int& month, int& day) const;
    [[nodiscard]] int Year() const;
    [[nodiscard]] int Month() const;
    [[nodiscard]] int Day() const;
    // 1 = Monday ... 7 = Sunday.
    [[nodiscard]] int DayOfWeek() const;

    [[nodiscard]] TDate AddDays(int days) const { return TDate(m_Serial + days); }
    friend constexpr int operator-(TDate a, TDate b) { return a.m_Serial - b.m_Serial; }
    friend constexpr auto operator<=>(TDate, TDate) = default;

private:
    int32_t m_Serial = 0;
};

} // namespace ndlemo
