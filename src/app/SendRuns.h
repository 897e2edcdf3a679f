#pragma once

#include "invoice/TInvoiceForm.h"
#include "invoice/TReportsForm.h"

namespace ndlemo {

class TAttachedFileList;
class TPrijemController;
class TRunUi;

// How far a send run came.
enum class TSendStage {
    Check,    // the check and everything before the transfer: nothing has been sent
    Transfer, // the connection test and the package: nothing has been sent yet either
    Done,     // the package was sent or placed; the tab is reset whatever follows
};

// How a send run ended when it did not raise.
enum class TSendOutcome {
    Refused,  // the check found errors in the files
    Declined, // the user answered No to the question
    Sent,     // sent by SCP
    Placed,   // placed for the web upload
};

// The medical-reports check: the settings, IČZ and IČO, the note, at least one document, the transfer id, the
// archive directory in SCP mode, and one file record per document (not read). Raises for the first problem;
// invalid settings are listed through the ui and end it with EAbort.
void CheckReports(TPrijemController& controller, TReportsForm& form, TAttachedFileList& reportFiles, TRunUi& ui);

// "Odeslat" of the invoice tab: busy for the whole run; the check with its report, the question, the
// already-sent search again, the connection test in SCP mode, the package sent or placed, the report with the
// result, the invoice printout and its PDF in the archive when "Generovat fakturu" is ticked, a new invoice, and
// in upload mode the upload dialog. A failure before the package is done leaves the tab, the record and the
// attached files as they were; stage says how far the run came (also when it raises).
TSendOutcome RunOdeslat(TPrijemController& controller, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui,
                        TSendStage& stage);

// "Odeslat" of the medical-reports tab: the same steps without the report before the question, the already-sent
// search and the printout; the files report after the transfer.
TSendOutcome RunOdeslatLZ(TPrijemController& controller, TReportsForm& form, TAttachedFileList& reportFiles, TRunUi& ui,
                          TSendStage& stage);

} // namespace ndlemo
