#pragma once

#include <stdexcept>
#include <string>

namespace ndlemo {

// A column slice that is not a valid number; the file reader turns it into the error of its line.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
    [[nodiscard]] std::string Message() const { return what(); }
};

} // namespace ndlemo
