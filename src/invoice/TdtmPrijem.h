#pragma once

#include "support/TQsStreamDataSet.h"

namespace ndlemo {

// The data module: the program's four in-memory tables, open from creation for the whole run. The program
// entry creates it before the main window; the window's file lists, the check run and the reports use it.
class TdtmPrijem {
public:
    TdtmPrijem();
    TdtmPrijem(const TdtmPrijem&) = delete;
    TdtmPrijem& operator=(const TdtmPrijem&) = delete;

    TQsStreamDataSet qssPRS;    // batch files of the invoice tab
    TQsStreamDataSet qssLZ;     // files of the medical-reports tab
    TQsStreamDataSet qssSest01; // rows of the check-error report
    TQsStreamDataSet qssSest02; // rows of the files report
};

} // namespace ndlemo
