#pragma once

#include "batch/TDavka.h"

namespace ndlemo {

// One batch of a read file; outlives the reading for the report and the description file.
class TPrijDavka {
public:
    TDavka Davka;
};

} // namespace ndlemo
