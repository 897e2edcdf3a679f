#include "app/SendRuns.h"

#include "app/InvoiceCheckRun.h"
#include "app/TPrijemController.h"
#include "invoice/SendPackage.h"
#include "invoice/TAttachedFileList.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TMessageBoxes.h"
#include "support/TQsStreamDataSet.h"
#include "support/TRequestList.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/PackageNames.h"
#include "transfer/TBusyCursor.h"
#include "transfer/TestConnection.h"

#include <algorithm>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
// The busy flag for the length of a run, cleared however it ends.
class TBusy {
public:
    explicit TBusy(bool& busy) : m_Busy(busy) { m_Busy = true; }
    ~TBusy() { m_Busy = false; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& m_Busy;
};

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

void RequireEightDigits(const std::string& value, const char* field) {
    const size_t length = Utf8Length(value);
    if (length != 8)
        throw ESubroutineError("Délka hodnoty \"%s\" musí být %d a ne %d", field, 8, length);
    if (!std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw ESubroutineError("Hodnota \"%s\" smí obsahovat pouze znaky \"%s\"", field, "0 až 9");
}

bool Scp(const TPrijemController& c) {
    return c.Settings.TypPrenosu == TTransferMode::Scp;
}
} // namespace

void CheckReports(TPrijemController& c, TReportsForm& form, TAttachedFileList& reportFiles, TRunUi& ui) {
    TLemoPrij& prij = c.Prij;
    prij.Vycisti();
    TRequestList requests;
    ValidateAppSettings(c.Settings, requests);
    if (Scp(c))
        ValidatePrenosSettings(c.Transfer, requests);
    if (requests.Count() > 0) {
        ui.ShowRequestList(requests);
        throw EAbort();
    }
    c.CheckDirCollision();
    prij.ICZ = TrimWhitespace(form.ICZ);
    RequireEightDigits(prij.ICZ, "IČZ");
    prij.ICO = TrimWhitespace(form.ICO);
    RequireEightDigits(prij.ICO, "IČO");
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
        TBusy busy(c.Busy);
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
        TBusy busy(c.Busy);
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
