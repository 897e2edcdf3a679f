#pragma once

#include "reports/TReportBand.h"
#include "reports/TReportFont.h"
#include "reports/TReportItem.h"

namespace ndlemo {

class TReport;

// The page footer the check and files reports share: program version and user on the left, date and the
// "N z M" page number on the right, in 7-point Arial; only the captions' weight differs between them.
TReportBand& AddPageFooterBand(TReport& report, bool boldCaptions, TReportBand::TBeforePrint beforePrint,
                               TReportItem::TPrintHook pageNumberPrint);

} // namespace ndlemo
