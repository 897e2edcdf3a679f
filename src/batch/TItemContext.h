#pragma once

#include "batch/TDocumentType.h"
#include "support/TDate.h"

namespace ndlemo {

// What every item asks of its document, for a caller that opened the document with KontrolaDokladu and changes
// it no more until its next document record: worked out once, not for each of its items.
struct TItemContext {
    TDocumentType Type = TDocumentType::None;
    // The end of the period, already known to be valid.
    TDate PeriodEnd;
    // The document has its one person (types other than 05 and 36), so the items need not look again.
    bool HasItsPerson = false;
};

} // namespace ndlemo
