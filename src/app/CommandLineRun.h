#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ndlemo {

class TPrijemController;
class TdtmPrijem;

// What ndlemo-send was asked to do.
struct TCommandLineOptions {
    enum class TJob { Invoice, Reports, TestConnection };

    std::filesystem::path Dir; // the installation
    TJob Job = TJob::Invoice;
    bool Yes = false;
    bool CheckOnly = false;
    std::filesystem::path ReportPdf; // empty: no PDF of the report
    std::filesystem::path Header;
    std::vector<std::filesystem::path> Files;
};

// The exit statuses of ndlemo-send.
inline constexpr int ExitAccepted = 0;       // sent or placed (with --check-only: accepted)
inline constexpr int ExitRefused = 1;        // refused by the check; nothing sent
inline constexpr int ExitNothingDone = 2;    // usage, header file, password or settings error
inline constexpr int ExitTransferFailed = 3; // connection test, packing or transfer failed (or the run itself)
inline constexpr int ExitQuestion = 4;       // a question needed --yes

// The printed reports, which the report library provides (it needs Qt Gui). Each lays out what the window would
// show from the controller's record: the check-error report or the files report written as PDF (false when the
// file cannot be written), and the invoice printout written as PDF under a name not yet taken (the name written,
// or nothing).
struct TCommandLineReports {
    std::function<bool(const TPrijemController&, TdtmPrijem&, bool chyby, const std::string& fileName,
                       const std::string& resultText, const std::filesystem::path& pdf)>
        CheckReportPdf;
    std::function<bool(const TPrijemController&, TdtmPrijem&, const std::string& fileName,
                       const std::string& resultText, const std::filesystem::path& pdf)>
        FilesReportPdf;
    std::function<std::optional<std::filesystem::path>(const TPrijemController&, const std::filesystem::path& pdf)>
        InvoicePdf;
};

// Runs the job on the installation as the window runs it: the program's lock, the start-up with the password
// from the first line of `in`, the header and the files attached as "Přidat soubor" attaches them, the check
// or send run, and the shut-down (the attached copies are removed however the run ends). The report text and
// the results go to `out`, every message and the transfer tools' output to `err`. Returns the exit status.
int RunCommandLine(const TCommandLineOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                   const TCommandLineReports& reports);

} // namespace ndlemo
