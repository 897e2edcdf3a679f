#include "app/CommandLineRun.h"

#include "app/InvoiceCheckRun.h"
#include "app/InvoiceHeaderFile.h"
#include "app/TPrijemController.h"
#include "app/TPrijemTabs.h"
#include "app/TStartupUi.h"
#include "batch/CheckReportText.h"
#include "invoice/TdtmPrijem.h"
#include "platform/Platform.h"
#include "platform/TSingleInstanceLock.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"

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
                   TPrijemController& controller, TdtmPrijem& dtm, const TCheckReportPdf& reportPdf)
        : m_Options(options), m_Password(std::move(password)), m_Out(out), m_Err(err), m_Controller(controller),
          m_Dtm(dtm), m_Tabs(controller, dtm), m_ReportPdf(reportPdf), m_Previous(&TMessageBoxes::Current()) {
        TMessageBoxes::Install(this);
    }
    ~TCommandLineUi() override { TMessageBoxes::Install(m_Previous); }
    TCommandLineUi(const TCommandLineUi&) = delete;
    TCommandLineUi& operator=(const TCommandLineUi&) = delete;

    TPrijemTabs& Tabs() { return m_Tabs; }
    [[nodiscard]] const TInvoiceForm& NewInvoice() const { return m_NewInvoice; }
    [[nodiscard]] bool ReportWritten() const { return m_ReportWritten; }

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
    void ResetReportsTab() override { (void)m_Tabs.ResetReports(); }

    // TRunUi
    void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) override {
        m_Out << CheckReportBody(m_Controller.Prij.Soubory, true) << resultText << '\n';
        if (!fileName.empty())
            m_Out << fileName << '\n';
        if (!m_Options.ReportPdf.empty()) {
            if (!m_ReportPdf || !m_ReportPdf(m_Controller, m_Dtm, chyby, fileName, resultText, m_Options.ReportPdf))
                throw ESubroutineError("Výstupní soubor \"%s\" nelze vytvořit", m_Options.ReportPdf.string());
        }
        m_ReportWritten = true;
    }

private:
    const TCommandLineOptions& m_Options;
    std::string m_Password;
    std::ostream& m_Out;
    std::ostream& m_Err;
    TPrijemController& m_Controller;
    TdtmPrijem& m_Dtm;
    TPrijemTabs m_Tabs;
    const TCheckReportPdf& m_ReportPdf;
    TMessageBoxes* m_Previous;
    TInvoiceForm m_NewInvoice;
    bool m_ReportWritten = false;
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

int RunInvoice(const TCommandLineOptions& options, TPrijemController& controller, TCommandLineUi& ui) {
    TInvoiceForm form;
    int status = Stage(
        [&] {
            form = ReadInvoiceHeaderFile(options.Header, ui.NewInvoice(), controller.Settings.IntSplatnosti);
            for (const fs::path& file : options.Files) {
                std::error_code ec;
                if (!fs::is_regular_file(file, ec))
                    throw ESubroutineError("Soubor \"%s\" neexistuje", file.string());
                ui.Tabs().BatchFiles.Add(file);
            }
        },
        ExitNothingDone);
    if (status >= 0)
        return status;
    bool clean = false;
    status = Stage(
        [&] {
            clean = CheckInvoice(controller, form, ui.Tabs().BatchFiles, ui);
            if (!clean)
                ShowInfoMessage("Kontrola proběhla s chybami");
            ui.ShowCheckReport(!clean, "", clean ? "Fakturu a dávky lze přijmout" : "Fakturu a dávky nelze přijmout");
        },
        ExitRefused);
    if (status >= 0)
        return status;
    return clean ? ExitAccepted : ExitRefused;
}
} // namespace

int RunCommandLine(const TCommandLineOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
                   const TCheckReportPdf& reportPdf) {
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
    TCommandLineUi ui(options, password, out, err, controller, dtm, reportPdf);
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
        case TCommandLineOptions::TJob::TestConnection:
            err << "Tato úloha zatím není k dispozici\n";
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
