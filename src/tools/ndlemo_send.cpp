// ndlemo-send: the check and send runs of the program from the command line, for billing pipelines. The same
// runs as the window's, on the same installation, with the same messages, log lines, packages and archive.
//
//   ndlemo-send [--dir DIR] [--yes] [--check-only] [--report-pdf FILE] --invoice HEADER FILE...
//   ndlemo-send --help | --version
//
// The password of the login is the first line of standard input. Standard output: the check-error report as
// text and the result; standard error: every message as the window's boxes word it.
// Exit status: 0 accepted (sent or placed), 1 refused by the check, 2 usage, header file, password or settings
// error (nothing done), 3 the run itself failed, 4 a question needed --yes.

#include "app/CommandLineRun.h"
#include "app/TPrijemController.h"
#include "invoice/TdtmPrijem.h"
#include "platform/Platform.h"
#include "reports/TReportPdfWriter.h"
#include "reports/TfrmSest01.h"
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
    "       ndlemo-send --help | --version\n"
    "  --dir DIR          the installation (NdLemo.ini, out, pracovni); default: this program's directory\n"
    "  --yes              answer Yes to the questions of the run; without it a question ends the run (exit 4)\n"
    "  --check-only       only the check run (\"Kontrola\"): nothing is packed or sent\n"
    "  --report-pdf FILE  also write the check-error report as PDF\n"
    "  --invoice HEADER FILE...\n"
    "                     the invoice header (INI file, section [Faktura]) and its batch files\n"
    "The password of the login is the first line of standard input.\n"
    "Exit status: 0 accepted, 1 refused by the check, 2 nothing done (usage, header, password, settings),\n"
    "3 the run failed, 4 a question needed --yes.\n";

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
        } else if (arg == "--invoice") {
            const char* v = value();
            if (!v)
                return "--invoice needs a header file";
            options.Job = ndlemo::TCommandLineOptions::TJob::Invoice;
            options.Header = v;
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
        return "--invoice is required";
    if (options.Files.empty())
        return "no batch file given";
    if (!options.CheckOnly)
        return "sending is not available yet: use --check-only";
    return {};
}

// The check-error report as the preview shows it, written as PDF (main provides the Qt Gui application).
bool WriteCheckReportPdf(const ndlemo::TPrijemController& controller, ndlemo::TdtmPrijem& dtm, bool chyby,
                         const std::string& fileName, const std::string& resultText, const std::filesystem::path& pdf) {
    ndlemo::TfrmSest01 report(dtm.qssSest01, controller.ProgramFile);
    return ndlemo::TReportPdfWriter::Write(report.Priprav(chyby, controller.UserName, controller.Prij, fileName,
                                                          resultText, controller.Settings.Pracoviste),
                                           pdf);
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
    if (!options.ReportPdf.empty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return ndlemo::RunCommandLine(options, std::cin, std::cout, std::cerr, WriteCheckReportPdf);
}
