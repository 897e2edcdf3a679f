#include "app/CommandLineRun.h"

#include "app/HeaderFiles.h"
#include "app/InvoiceCheckRun.h"
#include "app/SendRuns.h"
#include "app/TPrijemController.h"
#include "app/TPrijemTabs.h"
#include "app/TStartupUi.h"
#include "batch/CheckReportText.h"
#include "invoice/TAttachedFileList.h"
#include "invoice/TdtmPrijem.h"
#include "platform/Platform.h"
#include "platform/TSingleInstanceLock.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"
#include "transfer/TestConnection.h"

#include <istream>
#include <ostream>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
// A question the run may not answer by itself.
class EQuestionNeeded : public std::exception {
public:
    const char* what() const noexcept override { return "a question needs --yes"; }
};

// The window's faces on the command line: messages to standard error, the report as text to standard output,
// questions answered by --yes or ending the run.
class TCommandLineUi : public TStartupUi, public TRunUi, public TMessageBoxes {
public:
    TCommandLineUi(const TCommandLineOptions& options, std::string password, std::ostream& out, std::ostream& err,
                   TPrijemController& controller, TdtmPrijem& dtm, const TCommandLineReports& reports)
        : m_Options(options), m_Password(std::move(password)), m_Out(out), m_Err(err), m_Controller(controller),
          m_Dtm(dtm), m_Tabs(controller, dtm), m_Reports(reports), m_Previous(&TMessageBoxes::Current()) {
        TMessageBoxes::Install(this);
    }
    ~TCommandLineUi() override { TMessageBoxes::Install(m_Previous); }
    TCommandLineUi(const TCommandLineUi&) = delete;
    TCommandLineUi& operator=(const TCommandLineUi&) = delete;

    TPrijemTabs& Tabs() { return m_Tabs; }
    [[nodiscard]] const TInvoiceForm& NewInvoice() const { return m_NewInvoice; }
    [[nodiscard]] const TReportsForm& NewReports() const { return m_NewReports; }

    // TMessageBoxes
    void Error(const std::string& text) override { m_Err << text << '\n'; }
    void Info(const std::string& text) override { m_Err << text << '\n'; }
    void Warning(const std::string& text) override { m_Err << text << '\n'; }
    void Plain(const std::string& text) override { m_Err << text << '\n'; }
    bool YesNo(const std::string& text) override {
        m_Err << text << (m_Options.Yes ? " Ano" : "") << '\n';
        if (!m_Options.Yes)
            throw EQuestionNeeded();
        return true;
    }

    // TStartupUi
    void SetCaption(const std::string&) override {}
    void SetStatusPanel(int, const std::string&) override {}
    TLoginResult RunLogin() override {
        return {true, TrimWhitespace(platform::UserName()), TrimWhitespace(m_Password)};
    }
    void ShowRequestList(TRequestList& requests) override {
        // The start lists the settings' problems and goes on; the run that needs the settings lists them again.
        if (!m_Controller.Created)
            return;
        for (int i = 0; i < requests.Count(); ++i)
            m_Err << requests.GetText(i, 1) << '\n';
    }
    void SetFieldStates() override {}
    void ActivateInvoiceTab() override {}
    void ResetInvoiceTab() override { m_NewInvoice = m_Tabs.ResetInvoice(); }
    void ResetReportsTab() override { m_NewReports = m_Tabs.ResetReports(); }

    // TRunUi
    void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) override {
        // The batch rows and errors once; after a send only the result it adds.
        if (!m_CheckReportShown)
            m_Out << CheckReportBody(m_Controller.Prij.Soubory, true);
        m_CheckReportShown = true;
        Result(resultText, fileName);
        if (!m_Options.ReportPdf.empty() &&
            !(m_Reports.CheckReportPdf &&
              m_Reports.CheckReportPdf(m_Controller, m_Dtm, chyby, fileName, resultText, m_Options.ReportPdf)))
            ShowInfoMessage(FormatText("Výstupní soubor \"%s\" nelze vytvořit", m_Options.ReportPdf.string()));
    }
    void ShowFilesReport(const std::string& fileName, const std::string& resultText) override {
        for (const auto& file : m_Controller.Prij.Soubory)
            m_Out << file->Zdroj << '\t' << file->Velikost << '\t'
                  << TFormatSettings::Current().FormatShortDateLongTime(file->DatumZdroje) << '\n';
        Result(resultText, fileName);
        if (!m_Options.ReportPdf.empty() &&
            !(m_Reports.FilesReportPdf &&
              m_Reports.FilesReportPdf(m_Controller, m_Dtm, fileName, resultText, m_Options.ReportPdf)))
            ShowInfoMessage(FormatText("Výstupní soubor \"%s\" nelze vytvořit", m_Options.ReportPdf.string()));
    }
    std::optional<fs::path> PrintInvoice(const fs::path& pdf) override {
        std::optional<fs::path> written;
        if (m_Reports.InvoicePdf)
            written = m_Reports.InvoicePdf(m_Controller, pdf);
        if (written)
            m_Out << written->string() << '\n';
        return written;
    }
    // The package's path stands with the result; there is no dialog to open.
    void ShowUploadDialog(int) override {}
    TToolConsole* ToolConsole() override { return nullptr; }

private:
    void Result(const std::string& resultText, const std::string& fileName) {
        m_Out << resultText << '\n';
        if (!fileName.empty())
            m_Out << fileName << '\n';
        m_Out.flush();
    }

    const TCommandLineOptions& m_Options;
    std::string m_Password;
    std::ostream& m_Out;
    std::ostream& m_Err;
    TPrijemController& m_Controller;
    TdtmPrijem& m_Dtm;
    TPrijemTabs m_Tabs;
    const TCommandLineReports& m_Reports;
    TMessageBoxes* m_Previous;
    TInvoiceForm m_NewInvoice;
    TReportsForm m_NewReports;
    bool m_CheckReportShown = false;
};

// Runs one stage; its user-facing failure is shown as the window shows it and becomes the given status.
template <typename TStage> int Stage(TStage stage, int failure) {
    try {
        stage();
        return -1;
    } catch (const EQuestionNeeded&) {
        return ExitQuestion;
    } catch (const EAbort&) {
        return ExitNothingDone;
    } catch (const ESubroutineError& e) {
        ShowError(e);
        return failure;
    }
}

// The status of a send run that raised at the given stage.
int FailureStatus(TSendStage stage) {
    switch (stage) {
    case TSendStage::Check:
        return ExitRefused;
    case TSendStage::Transfer:
        return ExitTransferFailed;
    case TSendStage::Done:
        break;
    }
    // The package is with the insurer or in the upload directory: the run counts as done.
    return ExitAccepted;
}

int OutcomeStatus(TSendOutcome outcome) {
    switch (outcome) {
    case TSendOutcome::Refused:
        return ExitRefused;
    case TSendOutcome::Declined:
        return ExitQuestion;
    case TSendOutcome::Sent:
    case TSendOutcome::Placed:
        break;
    }
    return ExitAccepted;
}

// Attaches the files as "Přidat soubor" does; a file that is not there is refused before anything runs.
void Attach(TAttachedFileList& list, const std::vector<fs::path>& files) {
    for (const fs::path& file : files) {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            throw ESubroutineError("Soubor \"%s\" neexistuje", file.string());
        list.Add(file);
    }
}

int RunInvoice(const TCommandLineOptions& options, TPrijemController& controller, TCommandLineUi& ui) {
    TInvoiceForm form;
    int status = Stage(
        [&] {
            form = ReadInvoiceHeaderFile(options.Header, ui.NewInvoice(), controller.Settings.IntSplatnosti);
            Attach(ui.Tabs().BatchFiles, options.Files);
        },
        ExitNothingDone);
    if (status >= 0)
        return status;
    if (options.CheckOnly) {
        bool clean = false;
        status = Stage(
            [&] {
                clean = CheckInvoice(controller, form, ui.Tabs().BatchFiles, ui);
                if (!clean)
                    ShowInfoMessage("Kontrola proběhla s chybami");
                ui.ShowCheckReport(!clean, "",
                                   clean ? "Fakturu a dávky lze přijmout" : "Fakturu a dávky nelze přijmout");
            },
            ExitRefused);
        return status >= 0 ? status : clean ? ExitAccepted : ExitRefused;
    }
    TSendStage stage = TSendStage::Check;
    TSendOutcome outcome = TSendOutcome::Refused;
    status = Stage([&] { outcome = RunOdeslat(controller, form, ui.Tabs().BatchFiles, ui, stage); }, -2);
    return status == -2 ? FailureStatus(stage) : status >= 0 ? status : OutcomeStatus(outcome);
}

int RunReports(const TCommandLineOptions& options, TPrijemController& controller, TCommandLineUi& ui) {
    TReportsForm form;
    int status = Stage(
        [&] {
            form = ReadReportsHeaderFile(options.Header, ui.NewReports());
            Attach(ui.Tabs().ReportFiles, options.Files);
        },
        ExitNothingDone);
    if (status >= 0)
        return status;
    if (options.CheckOnly) {
        status = Stage([&] { CheckReports(controller, form, ui.Tabs().ReportFiles, ui); }, ExitRefused);
        return status >= 0 ? status : ExitAccepted;
    }
    TSendStage stage = TSendStage::Check;
    TSendOutcome outcome = TSendOutcome::Refused;
    status = Stage([&] { outcome = RunOdeslatLZ(controller, form, ui.Tabs().ReportFiles, ui, stage); }, -2);
    return status == -2 ? FailureStatus(stage) : status >= 0 ? status : OutcomeStatus(outcome);
}

int RunTestConnection(TPrijemController& controller, TCommandLineUi& ui, std::ostream& out) {
    std::optional<std::string> text;
    const int status = Stage(
        [&] {
            text = ExecuteTestSpojeni(controller.TransferContext(nullptr),
                                      [&ui](TRequestList& requests) { ui.ShowRequestList(requests); });
        },
        ExitTransferFailed);
    if (status >= 0)
        return status;
    if (!text)
        return ExitNothingDone;
    out << *text;
    return ExitAccepted;
}
} // namespace

int RunCommandLine(const TCommandLineOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                   const TCommandLineReports& reports) {
    std::string password;
    std::getline(in, password);
    if (!password.empty() && password.back() == '\r')
        password.pop_back();

    platform::TSingleInstanceLock lock("ProgramNdLemo");
    switch (lock.Acquire()) {
    case platform::TSingleInstanceLock::TResult::Acquired:
        break;
    case platform::TSingleInstanceLock::TResult::Busy:
        err << "Program NdLemo je již spuštěn.\n";
        return ExitNothingDone;
    case platform::TSingleInstanceLock::TResult::Failed:
        err << "Zámek programu \"" << lock.LockFile().string() << "\" nelze otevřít: " << lock.Error() << '\n';
        return ExitNothingDone;
    }

    TPrijemController controller(options.Dir, options.Dir / "NdLemo");
    TdtmPrijem dtm;
    TCommandLineUi ui(options, password, out, err, controller, dtm, reports);
    if (TrimWhitespace(password).empty()) {
        err << "Chybí heslo: první řádek standardního vstupu\n";
        return ExitNothingDone;
    }
    if (!controller.StartUp(ui) || controller.EndRequested) {
        controller.ShutDown(&ui);
        return ExitNothingDone;
    }
    int status = ExitNothingDone;
    try {
        switch (options.Job) {
        case TCommandLineOptions::TJob::Invoice:
            status = RunInvoice(options, controller, ui);
            break;
        case TCommandLineOptions::TJob::Reports:
            status = RunReports(options, controller, ui);
            break;
        case TCommandLineOptions::TJob::TestConnection:
            status = RunTestConnection(controller, ui, out);
            break;
        }
    } catch (const std::exception& e) {
        // Anything else than a user-facing failure: the run itself failed.
        controller.WriteLog(TRunLog::LevelError, e.what());
        err << ErrorBoxText(e.what()) << '\n';
        status = ExitTransferFailed;
    }
    controller.ShutDown(&ui);
    return status;
}

} // namespace ndlemo
