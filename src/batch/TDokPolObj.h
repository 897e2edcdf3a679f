#pragma once

#include "batch/TDokladPolozka.h"

namespace ndlemo {

// One stored item of an insured person.
class TDokPolObj {
public:
    TDokladPolozka Polozka;
};

} // namespace ndlemo
