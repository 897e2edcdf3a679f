#include "app/TPrijemTabs.h"

#include "app/TActionRules.h"
#include "app/TPrijemController.h"
#include "invoice/InvoiceFieldRules.h"
#include "invoice/TdtmPrijem.h"
#include "support/TClock.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextRules.h"

namespace ndlemo {

namespace {
// A prefill is taken only when the setting holds something besides blanks; otherwise the field is emptied.
std::string Prefill(const std::string& setting) {
    return TrimWhitespace(setting);
}
} // namespace

TPrijemTabs::TPrijemTabs(TPrijemController& controller, TdtmPrijem& dtm)
    : BatchFiles(TFileListKind::Batch, dtm.qssPRS, controller.DirPracovni),
      ReportFiles(TFileListKind::Report, dtm.qssLZ, controller.DirPracovni), m_Controller(controller) {}

TInvoiceForm TPrijemTabs::ResetInvoice() {
    m_Controller.Prij.Vycisti();
    BatchFiles.Clear();
    const AppSettings& s = m_Controller.Settings;
    const TDate today = TClock::Today();
    TInvoiceForm form;
    form.ICZ = Prefill(s.DefaultICZ);
    form.ICO = Prefill(s.DefaultICO);
    form.RokFaktury = std::to_string(today.Year());
    form.DatPrijeti = DateToText(today);
    form.Castka = 0.0;
    form.Ucet = Prefill(s.DefaultCisloUctu);
    form.Banka = Prefill(s.DefaultKodBanky);
    form.GenerFak = s.DefaultGenerovat;
    form.DodavatelNazev = Prefill(s.DefaultDodNazev);
    form.DodavatelUlice = Prefill(s.DefaultDodUlice);
    form.DodavatelPsc = Prefill(s.DefaultDodPsc);
    form.DodavatelObec = Prefill(s.DefaultDodObec);
    return form;
}

TReportsForm TPrijemTabs::ResetReports() {
    m_Controller.Prij.Vycisti();
    ReportFiles.Clear();
    const AppSettings& s = m_Controller.Settings;
    return TReportsForm{Prefill(s.DefaultICZ), Prefill(s.DefaultICO), {}};
}

void TPrijemTabs::AddBatchFile() {
    BatchFiles.ChooseAndAdd(m_Controller.LastBatchDir, m_Controller.Settings.DirDavky);
}

void TPrijemTabs::AddReportFile() {
    ReportFiles.ChooseAndAdd(m_Controller.LastReportDir, m_Controller.Settings.DirDavky);
}

void TPrijemTabs::RemoveBatchFile() {
    BatchFiles.RemoveCurrent();
}

void TPrijemTabs::RemoveReportFile() {
    ReportFiles.RemoveCurrent();
}

std::string TPrijemTabs::MaturityAfterReceipt(std::string_view receiptText, std::string_view maturityText) const {
    return ndlemo::MaturityAfterReceipt(receiptText, maturityText, m_Controller.Settings.IntSplatnosti);
}

void TPrijemTabs::FillTableState(TActionContext& context) const {
    const TQsStreamDataSet& batch = BatchFiles.Table();
    const TQsStreamDataSet& reports = ReportFiles.Table();
    context.BatchTableOpen = batch.Active();
    context.BatchTableEmpty = batch.IsEmpty();
    context.ReportTableOpen = reports.Active();
    context.ReportTableEmpty = reports.IsEmpty();
}

} // namespace ndlemo
