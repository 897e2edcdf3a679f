// ndlemo-send: the check and send runs of the program from the command line, for billing pipelines. The same
// runs as the window's, on the same installation, with the same messages, log lines, packages and archive.
//
//   ndlemo-send [--dir DIR] [--yes] [--check-only] [--report-pdf FILE] --invoice HEADER FILE...
//   ndlemo-send [--dir DIR] [--yes] [--check-only] [--report-pdf FILE] --reports HEADER FILE...
//   ndlemo-send [--dir DIR] --test-connection
//   ndlemo-send --help | --version
//
// The password of the login is the first line of standard input. Standard output: the check-error report (or the
// files report) as text, the result lines and the package, the invoice PDF when one was written, or the test
// file's text; standard error: every message as the window's boxes word it, and the transfer tools' output.
// Exit status: 0 sent or placed (with --check-only: accepted), 1 refused by the check, 2 usage, header file,
// password or settings error (nothing done), 3 the connection test, packing or transfer failed (or the run
// itself), 4 a question needed --yes.

#include "app/CommandLineRun.h"
#include "app/TPrijemController.h"
#include "invoice/TdtmPrijem.h"
#include "platform/Platform.h"
#include "reports/TReportPdfWriter.h"
#include "reports/TfrmQRFaktura.h"
#include "reports/TfrmSest01.h"
#include "reports/TfrmSest02.h"
#include "support/TFormatSettings.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string_view>

namespace {

constexpr const char* UsageText =
    "usage: ndlemo-send [--dir DIR] [--yes] [--check-only] [--report-pdf FILE] --invoice HEADER FILE...\n"
    "       ndlemo-send [--dir DIR] [--yes] [--check-only] [--report-pdf FILE] --reports HEADER FILE...\n"
    "       ndlemo-send [--dir DIR] --test-connection\n"
    "       ndlemo-send --help | --version\n"
    "  --dir DIR          the installation (NdLemo.ini, out, pracovni); default: this program's directory\n"
    "  --yes              answer Yes to the questions of the run; without it a question ends the run (exit 4)\n"
    "  --check-only       only the check run: nothing is packed or sent\n"
    "  --report-pdf FILE  also write the check-error report (invoice) or the files report (reports) as PDF\n"
    "  --invoice HEADER FILE...\n"
    "                     the invoice header (INI file, section [Faktura]) and its batch files: checked, then\n"
    "                     sent by SCP or placed for the web upload as the settings say\n"
    "  --reports HEADER FILE...\n"
    "                     the medical reports' header (section [Lekarske_zpravy]: ICZ, ICO, Poznamka) and the\n"
    "                     documents\n"
    "  --test-connection  the connection test of \"Test spojeni\"; prints the test file's text\n"
    "The password of the login is the first line of standard input.\n"
    "Exit status: 0 sent or placed (--check-only: accepted), 1 refused by the check, 2 nothing done (usage,\n"
    "header, password, settings), 3 the connection, packing or transfer failed, 4 a question needed --yes.\n";

// An empty text when the arguments are usable, else what is wrong with them.
std::string ParseArguments(int argc, char** argv, ndlemo::TCommandLineOptions& options, bool& help, bool& version) {
    bool job = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--yes") {
            options.Yes = true;
        } else if (arg == "--check-only") {
            options.CheckOnly = true;
        } else if (arg == "--dir" || arg == "--report-pdf") {
            const char* v = value();
            if (!v)
                return std::string(arg) + " needs a value";
            (arg == "--dir" ? options.Dir : options.ReportPdf) = v;
        } else if (arg == "--invoice" || arg == "--reports") {
            const char* v = value();
            if (!v)
                return std::string(arg) + " needs a header file";
            if (job)
                return "only one of --invoice, --reports and --test-connection";
            options.Job = arg == "--invoice" ? ndlemo::TCommandLineOptions::TJob::Invoice
                                             : ndlemo::TCommandLineOptions::TJob::Reports;
            options.Header = v;
            job = true;
        } else if (arg == "--test-connection") {
            if (job)
                return "only one of --invoice, --reports and --test-connection";
            options.Job = ndlemo::TCommandLineOptions::TJob::TestConnection;
            job = true;
        } else if (arg.starts_with("--")) {
            return "unknown option " + std::string(arg);
        } else {
            options.Files.emplace_back(arg);
        }
    }
    if (help || version)
        return {};
    if (!job)
        return "one of --invoice, --reports and --test-connection is required";
    if (options.Job == ndlemo::TCommandLineOptions::TJob::TestConnection) {
        if (!options.Files.empty() || options.CheckOnly || !options.ReportPdf.empty())
            return "--test-connection takes no files and no other run options";
    } else if (options.Files.empty()) {
        return "no file given";
    }
    return {};
}

// The reports as the window shows them, written as PDF (main provides the Qt Gui application).
ndlemo::TCommandLineReports Reports() {
    ndlemo::TCommandLineReports reports;
    reports.CheckReportPdf = [](const ndlemo::TPrijemController& c, ndlemo::TdtmPrijem& dtm, bool chyby,
                                const std::string& fileName, const std::string& resultText,
                                const std::filesystem::path& pdf) {
        ndlemo::TfrmSest01 report(dtm.qssSest01, c.ProgramFile);
        return ndlemo::TReportPdfWriter::Write(
            report.Priprav(chyby, c.UserName, c.Prij, fileName, resultText, c.Settings.Pracoviste), pdf);
    };
    reports.FilesReportPdf = [](const ndlemo::TPrijemController& c, ndlemo::TdtmPrijem& dtm,
                                const std::string& fileName, const std::string& resultText,
                                const std::filesystem::path& pdf) {
        ndlemo::TfrmSest02 report(dtm.qssSest02, c.ProgramFile);
        return ndlemo::TReportPdfWriter::Write(
            report.PrepareFilesReport(c.UserName, c.Settings.Pracoviste, c.Prij, fileName, resultText), pdf);
    };
    reports.InvoicePdf = [](const ndlemo::TPrijemController& c,
                            const std::filesystem::path& pdf) -> std::optional<std::filesystem::path> {
        ndlemo::TfrmQRFaktura printout;
        printout.FillInvoiceBatches(c.Prij);
        printout.SetInvoiceValues(ndlemo::TInvoiceValues::FromRecord(c.Prij));
        std::filesystem::path written = pdf;
        if (!printout.ExportPdf(written))
            return std::nullopt;
        return written;
    };
    return reports;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ndlemo::TCommandLineOptions options;
    bool help = false;
    bool version = false;
    const std::string usageError = ParseArguments(argc, argv, options, help, version);
    if (help) {
        std::fputs(UsageText, stdout);
        return 0;
    }
    if (version) {
        std::printf("ndlemo-send %s\n", ndlemo::platform::ProductVersion().c_str());
        return 0;
    }
    if (!usageError.empty()) {
        std::fprintf(stderr, "ndlemo-send: %s\n%s", usageError.c_str(), UsageText);
        return ndlemo::ExitNothingDone;
    }
    if (options.Dir.empty())
        options.Dir = ndlemo::platform::ProgramDir();
    // Laying out a report needs a Qt Gui application; without a display it draws offscreen.
    std::unique_ptr<QGuiApplication> app;
    if (!options.ReportPdf.empty() ||
        (!options.CheckOnly && options.Job == ndlemo::TCommandLineOptions::TJob::Invoice)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return ndlemo::RunCommandLine(options, std::cin, std::cout, std::cerr, Reports());
}
