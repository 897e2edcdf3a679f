#include "support/TDateTime.h"

#include <cmath>

namespace ndlemo {

namespace {
constexpr double MsPerDay = 86400000.0;
}

TDateTime TDateTime::FromParts(int year, int month, int day, int hour, int minute, int second, int msec) {
    double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec;
    return TDateTime(TDate::FromYmd(year, month, day).Serial() + ms / MsPerDay);
}

TDate TDateTime::Date() const {
    return TDate(static_cast<int32_t>(std::floor(m_Value)));
}

void TDateTime::DecodeTime(int& hour, int& minute, int& second, int& msec) const {
    double frac = m_Value - std::floor(m_Value);
    auto ms = static_cast<long long>(std::llround(frac * MsPerDay));
    if (ms >= static_cast<long long>(MsPerDay))
        ms = static_cast<long long>(MsPerDay) - 1;
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    second = static_cast<int>(ms % 60);
    ms /= 60;
    minute = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

} // namespace ndlemo
