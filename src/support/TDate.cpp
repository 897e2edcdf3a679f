#include "support/TDate.h"

namespace ndlemo {

namespace {
// Days from 1970-01-01 (H. Hinnant's civil calendar algorithms).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

// 30.12.1899 counted from 1.1.1970.
constexpr int64_t EpochOffset = -25569;
} // namespace

bool TDate::IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int TDate::DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

TDate TDate::FromYmd(int year, int month, int day) {
    return TDate(static_cast<int32_t>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                      EpochOffset));
}

bool TDate::TryFromYmd(int year, int month, int day, TDate& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    out = FromYmd(year, month, day);
    return true;
}

void TDate::Decode(int& year, int& month, int& day) const {
    CivilFromDays(m_Serial + EpochOffset, year, month, day);
}

int TDate::Year() const {
    int y, m, d;
    Decode(y, m, d);
    return y;
}

int TDate::Month() const {
    int y, m, d;
    Decode(y, m, d);
    return m;
}

int TDate::Day() const {
    int y, m, d;
    Decode(y, m, d);
    return d;
}

int TDate::DayOfWeek() const {
    // 1.1.1970 was a Thursday.
    int64_t z = m_Serial + EpochOffset;
    int64_t w = ((z % 7) + 7 + 3) % 7; // 0 = Monday
    return static_cast<int>(w) + 1;
}

} // namespace ndlemo
