#pragma once

#include "invoice/TInvoiceForm.h"

#include <string>

namespace ndlemo {

class TAttachedFileList;
class TPrijemController;
class TRequestList;

// What the check and send runs ask of the window (or of the command line).
class TRunUi {
public:
    virtual ~TRunUi() = default;
    virtual void ShowRequestList(TRequestList& requests) = 0;
    // The check-error report of the invoice record as the last check left it: the errors flag, the package's
    // file name (empty after a check alone) and the result text.
    virtual void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) = 0;
};

// The check run of the invoice tab: the settings, the header fields in their fixed order (the first problem
// raises ESubroutineError), the archive directory, the already-sent search, then every attached batch file read
// with one pair of registers into the controller's invoice record. True when no file has errors.
// The form holds the tab's fields; what the run normalises (the invoice number, the dates, the amount) is
// written back into it as the run goes, also when a later step raises. Invalid settings (listed through the
// ui) and a No to the year question end the run with EAbort.
bool CheckInvoice(TPrijemController& controller, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui);

// "Kontrola": CheckInvoice, "Kontrola proběhla s chybami" when a file has errors, and the check-error report
// with the result text.
void RunKontrola(TPrijemController& controller, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui);

} // namespace ndlemo
