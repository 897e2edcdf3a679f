#include "reports/TPageCounter.h"

#include "support/FormatText.h"

namespace ndlemo {

void TPageCounter::ClearPageCounter() {
    FPageTotal = 0;
    FCountingPass = true;
}

void TPageCounter::PageFooterBeforePrint(int pageNumber) {
    if (FPageTotal < pageNumber)
        FPageTotal = pageNumber;
    else
        FCountingPass = false;
}

void TPageCounter::PageNumberPrint(std::string& text) const {
    if (!FCountingPass)
        text = FormatText("%s z %d", text, FPageTotal);
}

} // namespace ndlemo
