#pragma once

#include "support/ELevelException.h"

namespace ndlemo {

// Raised by the request list when a record index passes its record limit.
class ELimitError : public ELevelException {
public:
    explicit ELimitError(const std::string& message) : ELevelException(256, message) {}
};

} // namespace ndlemo
