#pragma once

#include "transfer/TBusyCursor.h"

namespace ndlemo {

// Binds a busy-cursor stack to Qt's application-wide override cursor: the default cursor is no override at all (each
// widget shows its own), the others an override with the hourglass, the busy arrow or the plain arrow.
void BindBusyCursorToQt(TBusyCursor& stack = TBusyCursor::Program());

} // namespace ndlemo
