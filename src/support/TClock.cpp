#include "support/TClock.h"

#include <chrono>
#include <ctime>

namespace ndlemo {

namespace {
std::optional<TDateTime>& Fixed() {
    static std::optional<TDateTime> fixed;
    return fixed;
}
} // namespace

TDateTime TClock::Now() {
    if (Fixed())
        return *Fixed();
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&t, &local);
    return TDateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec, static_cast<int>(ms));
}

void TClock::SetNow(std::optional<TDateTime> fixed) {
    Fixed() = fixed;
}

} // namespace ndlemo
