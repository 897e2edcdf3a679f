#include "app/SendRuns.h"

#include "app/InvoiceCheckRun.h"
#include "app/TBusyScope.h"
#include "app/TPrijemController.h"
#include "invoice/SendPackage.h"
#include "invoice/TAttachedFileList.h"
#include "support/ESubroutineError.h"
#include "support/TMessageBoxes.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/PackageNames.h"
#include "transfer/TBusyCursor.h"
#include "transfer/TestConnection.h"

#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
// Once the package is done the tab starts anew, whatever follows; a failure of the reset itself is shown, it
// must not hide the failure that ends the run.
class TResetWhenDone {
public:
    explicit TResetWhenDone(void (*reset)(TRunUi&), TRunUi& ui) : m_Reset(reset), m_Ui(ui) {}
    ~TResetWhenDone() {
        if (!m_Armed)
            return;
        try {
            m_Reset(m_Ui);
        } catch (const std::exception& e) {
            ShowError(e);
        }
    }
    TResetWhenDone(const TResetWhenDone&) = delete;
    TResetWhenDone& operator=(const TResetWhenDone&) = delete;
    void Arm() { m_Armed = true; }

private:
    void (*m_Reset)(TRunUi&);
    TRunUi& m_Ui;
    bool m_Armed = false;
};

bool Scp(const TPrijemController& c) {
    return c.Settings.TypPrenosu == TTransferMode::Scp;
}
} // namespace

void CheckReports(TPrijemController& c, TReportsForm& form, TAttachedFileList& reportFiles, TRunUi& ui) {
    TLemoPrij& prij = c.Prij;
    prij.Vycisti();
    CheckRunSettings(c, ui);
    prij.ICZ = TrimWhitespace(form.ICZ);
    RequireDigits(prij.ICZ, 8, "IČZ");
    prij.ICO = TrimWhitespace(form.ICO);
    RequireDigits(prij.ICO, 8, "IČO");
    prij.Poznamka = TrimWhitespace(form.Poznamka);
    if (reportFiles.Table().IsEmpty())
        throw ESubroutineError("Nejsou přiřazeny žádné soubory");
    prij.IdPrenosu = MakeTimeStamp();
    if (Scp(c)) {
        const fs::path archive = ReportsArchiveDir(c.Settings.DirOdeslane, prij.IdPrenosu);
        std::error_code ec;
        if (!fs::is_directory(archive, ec))
            fs::create_directories(archive, ec);
        if (!fs::is_directory(archive, ec))
            throw ESubroutineError("Adresář \"%s\" neexistuje.", archive.string());
    }
    AddFileRecords(c, reportFiles);
}

TSendOutcome RunOdeslat(TPrijemController& c, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui,
                        TSendStage& stage) {
    stage = TSendStage::Check;
    bool placed = false;
    {
        TBusyScope busy(c.Busy);
        if (!CheckInvoice(c, form, batchFiles, ui)) {
            ShowInfoMessage("Kontrola proběhla s chybami");
            ui.ShowCheckReport(true, "", "Fakturu a dávky nelze přijmout");
            return TSendOutcome::Refused;
        }
        ui.ShowCheckReport(false, "", "Fakturu a dávky lze přijmout");
        if (!AskYesNo(Scp(c) ? "Odeslat fakturu a dávky ?" : "Vytvořit soubor pro upload ?"))
            return TSendOutcome::Declined;
        {
            TBusyCursorGuard cursor;
            CheckNotSent(c);
        }

        stage = TSendStage::Transfer;
        const TTransferContext context = c.TransferContext(ui.ToolConsole());
        if (Scp(c))
            (void)TestConnection(context);
        const TLemoPrij& prij = c.Prij;
        const std::string name = InvoicePackageName(c.Settings.Pracoviste, prij.ICZ, prij.ICO, prij.RokFaktury,
                                                    prij.CisloFaktury, prij.DatumPrijeti, false);
        SendInvoicePackage(name, prij, context, c.LastUploadFile);

        stage = TSendStage::Done;
        TResetWhenDone reset([](TRunUi& u) { u.ResetInvoiceTab(); }, ui);
        reset.Arm();
        placed = !Scp(c);
        // The path as the package builder placed it, not joined again from the settings.
        ui.ShowCheckReport(false, placed ? c.LastUploadFile : name + ".zip",
                           placed ? "Vytvořen soubor pro upload" : "Faktura a dávky byly přijaty");
        if (prij.Generovat) {
            const fs::path pdf = InvoiceArchiveDir(c.Settings.DirOdeslane, prij.DatumPrijeti) / (name + ".pdf");
            if (!ui.PrintInvoice(pdf))
                ShowInfoMessage(FormatText("Výstupní soubor \"%s\" nelze vytvořit", pdf.string()));
        }
        if (!placed)
            ShowInfoMessage("Faktura a dávky byly odeslány");
    }
    // After the busy flag is cleared: the dialog lets the user work again.
    if (placed)
        ui.ShowUploadDialog(1);
    return placed ? TSendOutcome::Placed : TSendOutcome::Sent;
}

TSendOutcome RunOdeslatLZ(TPrijemController& c, TReportsForm& form, TAttachedFileList& reportFiles, TRunUi& ui,
                          TSendStage& stage) {
    stage = TSendStage::Check;
    bool placed = false;
    {
        TBusyScope busy(c.Busy);
        CheckReports(c, form, reportFiles, ui);
        if (!AskYesNo(Scp(c) ? "Odeslat lékařské zprávy ?" : "Vytvořit soubor s LZ pro upload ?"))
            return TSendOutcome::Declined;

        stage = TSendStage::Transfer;
        const TTransferContext context = c.TransferContext(ui.ToolConsole());
        if (Scp(c))
            (void)TestConnection(context);
        const TLemoPrij& prij = c.Prij;
        const std::string name = ReportsPackageName(c.Settings.Pracoviste, prij.ICZ, prij.ICO, prij.IdPrenosu);
        SendReportsPackage(name, prij, context, c.LastUploadFileLZ);

        stage = TSendStage::Done;
        TResetWhenDone reset([](TRunUi& u) { u.ResetReportsTab(); }, ui);
        reset.Arm();
        placed = !Scp(c);
        ui.ShowFilesReport(placed ? c.LastUploadFileLZ : name + ".zip",
                           placed ? "Vytvořen soubor LZ pro upload" : "Lékařské zprávy byly odeslány");
    }
    if (placed)
        ui.ShowUploadDialog(11);
    return placed ? TSendOutcome::Placed : TSendOutcome::Sent;
}

} // namespace ndlemo
