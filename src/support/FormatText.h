#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

namespace detail {
std::string FormatArgs(std::string_view format, const std::vector<std::string>& args);

inline std::string FormatArg(std::string_view s) {
    return std::string(s);
}
inline std::string FormatArg(const char* s) {
    return std::string(s);
}
inline std::string FormatArg(const std::string& s) {
    return s;
}
inline std::string FormatArg(char c) {
    return std::string(1, c);
}
template <std::integral T> std::string FormatArg(T v) {
    return std::to_string(v);
}
} // namespace detail

// Fills the %s and %d (also %u) place holders of a message in order; "%%" is a percent sign.
// Arguments are texts or integers; a missing argument leaves its place holder empty.
template <typename... Args> std::string FormatText(std::string_view format, const Args&... args) {
    return detail::FormatArgs(format, {detail::FormatArg(args)...});
}

} // namespace ndlemo
