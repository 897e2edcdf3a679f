#pragma once

#include "invoice/TAttachedFileList.h"
#include "invoice/TInvoiceForm.h"
#include "invoice/TReportsForm.h"

#include <string>
#include <string_view>

namespace ndlemo {

class TPrijemController;
class TdtmPrijem;
struct TActionContext;

// What the two work tabs do apart from their widgets: the resets, the attached-file lists and the fields
// derived from the settings. The window shows and reads the fields; this decides their values.
class TPrijemTabs {
public:
    // Both stay the caller's and must outlive this.
    TPrijemTabs(TPrijemController& controller, TdtmPrijem& dtm);

    TAttachedFileList BatchFiles;  // qssPRS, the invoice tab
    TAttachedFileList ReportFiles; // qssLZ, the medical-reports tab

    // The first steps of a new invoice: the invoice record cleared and the batch list cleared (its copies
    // deleted; raises the deletion message, and nothing further is reset then). Returns the fields of a new
    // invoice: the prefills of the settings, the current year and today's receipt date.
    TInvoiceForm ResetInvoice();
    // The same for the medical-reports tab: record and document list cleared, IČZ and IČO prefilled.
    TReportsForm ResetReports();

    // The add and remove actions of the two lists (choose with SelectFile, then add; remove the current row).
    void AddBatchFile();
    void AddReportFile();
    void RemoveBatchFile();
    void RemoveReportFile();

    // The maturity date derived when the receipt date field is left (IntSplatnosti of the settings).
    [[nodiscard]] std::string MaturityAfterReceipt(std::string_view receiptText, std::string_view maturityText) const;

    // Whether the two tables are open and empty, for the enabling rules.
    void FillTableState(TActionContext& context) const;

private:
    TPrijemController& m_Controller;
};

} // namespace ndlemo
