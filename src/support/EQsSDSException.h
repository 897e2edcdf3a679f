#pragma once

#include <stdexcept>
#include <string>

namespace ndlemo {

// Failures of the in-memory stream table. Deliberately outside the ELevelException family: these are
// programming or storage faults, not messages written for the user.
class EQsSDSException : public std::runtime_error {
public:
    explicit EQsSDSException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace ndlemo
