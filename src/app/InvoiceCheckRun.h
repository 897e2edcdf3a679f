#pragma once

#include "invoice/TInvoiceForm.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ndlemo {

class TAttachedFileList;
class TPrijemController;
class TRequestList;
class TToolConsole;

// What the check and send runs ask of the window (or of the command line).
class TRunUi {
public:
    virtual ~TRunUi() = default;
    virtual void ShowRequestList(TRequestList& requests) = 0;
    // The check-error report of the invoice record as the last check left it: the errors flag, the package's
    // file name (empty after a check alone) and the result text.
    virtual void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) = 0;
    // The files report of the medical-reports transfer in the record, with the package and the result.
    virtual void ShowFilesReport(const std::string& fileName, const std::string& resultText) = 0;
    // The invoice printout of the record, previewed and written as PDF under a name not yet taken (starting
    // from pdf); the name written, or nothing when the file cannot be written.
    virtual std::optional<std::filesystem::path> PrintInvoice(const std::filesystem::path& pdf) = 0;
    // A new invoice on the invoice tab, and new medical reports on theirs.
    virtual void ResetInvoiceTab() = 0;
    virtual void ResetReportsTab() = 0;
    // The upload dialog in its mode (1: the invoice package just placed, 11: the medical-reports package).
    virtual void ShowUploadDialog(int mode) = 0;
    // Where the transfer tools show themselves while they run; nullptr for standard error.
    virtual TToolConsole* ToolConsole() = 0;
};

// The settings every check run starts with: invalid ones (the transfer's only in SCP mode) are listed through
// the ui and end the run with EAbort; then the archive and upload directories must not be the program's own.
void CheckRunSettings(TPrijemController& controller, TRunUi& ui);
// A header field of exactly n digits: the length is checked first, then the characters; raises ESubroutineError.
void RequireDigits(std::string_view value, size_t n, const char* field);

// The check run of the invoice tab: the settings, the header fields in their fixed order (the first problem
// raises ESubroutineError), the archive directory, the already-sent search, then every attached batch file read
// with one pair of registers into the controller's invoice record. True when no file has errors.
// The form holds the tab's fields; what the run normalises (the invoice number, the dates, the amount) is
// written back into it as the run goes, also when a later step raises. Invalid settings (listed through the
// ui) and a No to the year question end the run with EAbort.
bool CheckInvoice(TPrijemController& controller, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui);
// One file record per row of the list (batch files or documents) in the controller's record, in table order,
// with the copy's path, size, source name and time; the list's current row stays where it was.
void AddFileRecords(TPrijemController& controller, TAttachedFileList& files);
// The already-sent search of the invoice in the record: raises "Faktura již byla odeslána" with the first eleven
// packages of the same invoice found in the archive, whatever workplace and receipt date they carry.
void CheckNotSent(const TPrijemController& controller);

// "Kontrola": CheckInvoice, "Kontrola proběhla s chybami" when a file has errors, and the check-error report
// with the result text.
void RunKontrola(TPrijemController& controller, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui);

} // namespace ndlemo
