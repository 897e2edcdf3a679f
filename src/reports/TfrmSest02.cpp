#include "reports/TfrmSest02.h"

#include "invoice/TLemoPrij.h"
#include "reports/PageFooterBand.h"
#include "reports/ReportLogo.h"
#include "reports/ReportText.h"
#include "reports/TReportPreview.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TQsStreamDataSet.h"
#include "support/Utilities.h"

#include <utility>

namespace ndlemo {

TfrmSest02::TfrmSest02(TQsStreamDataSet& table, std::filesystem::path programFile)
    : qssSest02(table), m_ProgramFile(std::move(programFile)) {
    BuildLayout();
}

void TfrmSest02::BuildLayout() {
    TReport& r = m_Report;
    r.Title = "Náhled sestavy";
    r.DataSet = &qssSest02;
    r.MarginBottom = 0.0;
    using I = TReportItem;

    const TReportFont caption = Arial(10, true), value = Arial(10);
    TReportBand& header = r.AddBand(TReportBandType::PageHeader, "qrbndPageHeader", 38.9);
    header.BottomLine = PxToMm(2);
    header.Add(I::MakePicture("QRImage1", 4.2, 2.1, 19.3, 17.2, ReportLogo()));
    header.Add(I::MakeLabel("qrlblTitul1", 29.6, 4.2, "Přenos lékařských zpráv LEMO", Arial(14, true)));
    header.Add(I::MakeLabel("qrlblCPracoviste", 29.6, 15.3, "Pracoviště:", caption));
    header.Add(I::MakeLabel("qrlblPracoviste", 49.7, 15.3, "", value));
    header.Add(I::MakeLabel("grlblCPoznamka", 29.9, 21.7, "Poznámka:", caption));
    header.Add(I::MakeMemo("qrmemPoznamka", 49.7, 21.7, 137.8, 14.3, value, false));
    header.Add(I::MakeLabel("qrlblCICZ", 117.5, 4.8, "IČZ:", caption));
    header.Add(I::MakeLabel("qrlblICZ", 137.1, 4.8, "", value));
    header.Add(I::MakeLabel("qrlblCICO", 117.5, 10.1, "IČO:", caption));
    header.Add(I::MakeLabel("qrlblICO", 137.1, 10.1, "", value));
    header.Add(I::MakeLabel("qrlblCPrenosId", 117.5, 15.3, "Id přenosu:", caption));
    header.Add(I::MakeLabel("qrlblPrenosId", 137.1, 15.3, "", value));

    const TReportFont small = Arial(8), smallBold = Arial(8, true);
    TReportBand& columns = r.AddBand(TReportBandType::ColumnHeader, "qrbndColumn", 6.4);
    columns.BottomLine = PxToMm(1);
    columns.Add(I::MakeLabel("qrlblCSoubor", 1.1, 1.1, "Soubor", smallBold));
    columns.Add(I::MakeLabel("qrlblCFileSize", 117.5, 1.1, "Velikost", smallBold)).InBox(25.7, TReportAlignment::Right);
    columns.Add(I::MakeLabel("qrlblCDatum", 146.1, 1.1, "Datum", smallBold));

    TReportBand& detail = r.AddBand(TReportBandType::Detail, "qrbndDetail", 5.8);
    detail.Add(I::MakeField("qrdbtSoubor", 1.1, 0.5, 115.6, "qssSest02_SrcFileName", small));
    detail.Add(I::MakeField("qrdbtFileSize", 117.5, 0.5, 25.7, "qssSest02_FileSize", small, TReportAlignment::Right));
    // Up to the band's right edge: a date with its time is wider than the column's heading, and a time cut
    // to "14:2" would be wrong.
    detail.Add(I::MakeField("qrdbtDatum", 146.1, 0.5, 190.0 - 146.1, "qssSest02_SrcDateTime", small));

    TReportBand& summary = r.AddBand(TReportBandType::Summary, "qrbndSummary", 18.3);
    summary.TopLine = PxToMm(1);
    summary.Add(I::MakeLabel("qrlblResult", 1.1, 2.1, "", caption));
    summary.Add(I::MakeLabel("qrlblFile", 1.1, 7.4, "Soubor:", small));
    summary.Add(I::MakeLabel("qrlblFileName", 11.6, 7.4, "", small));

    AddPageFooterBand(
        r, false, [this](bool& print) { qrbndPageFooterBeforePrint(print); },
        [this](std::string& text) { qrsysStrankaPrint(text); });
}

void TfrmSest02::SetCaption(std::string_view item, std::string text) {
    m_Report.Item(item).Caption = std::move(text);
}

void TfrmSest02::FillFileRows(const TLemoPrij& prij, TQsStreamDataSet& table) {
    table.Empty();
    for (const auto& file : prij.Soubory) {
        table.Append();
        table.FieldByName("qssSest02_SrcFileName").SetAsString(file->Zdroj);
        table.FieldByName("qssSest02_FileSize").SetAsInteger(file->Velikost);
        table.FieldByName("qssSest02_SrcDateTime").SetAsDateTime(file->DatumZdroje);
        table.Post();
    }
}

TReportDocument TfrmSest02::PrepareFilesReport(const std::string& userName, const std::string& workplace,
                                               const TLemoPrij& prij, const std::string& packageFileText,
                                               const std::string& resultText) {
    SetCaption("qrlblUzivatel", userName);
    SetCaption("qrlblPracoviste", workplace);
    SetCaption("qrlblICZ", prij.ICZ);
    SetCaption("qrlblICO", prij.ICO);
    m_Report.Item("qrmemPoznamka").Lines = SplitLines(prij.Poznamka);
    SetCaption("qrlblPrenosId", prij.IdPrenosu);
    SetCaption("qrlblResult", resultText);
    SetCaption("qrlblFileName", packageFileText);
    m_Report.Item("qrlblFile").Enabled = !packageFileText.empty();
    SetCaption("qrlblVerze", GetProductVersion(m_ProgramFile));
    SetCaption("qrlblDatum", TFormatSettings::Current().FormatDate(TClock::Today()));

    FillFileRows(prij, qssSest02);
    qssSest02.First();

    ClearPageCounter();
    // The first pass only counts the pages for the "N z M" of the second.
    (void)m_Report.Prepare();
    TReportDocument pages = m_Report.Prepare();
    m_Report.ForgetWrappedLines();
    return pages;
}

void TfrmSest02::ShowFilesReport(const std::string& userName, const std::string& workplace, const TLemoPrij& prij,
                                 const std::string& packageFileText, const std::string& resultText) {
    const TReportDocument pages = PrepareFilesReport(userName, workplace, prij, packageFileText, resultText);
    ShowReportPreview(pages);
}

void TfrmSest02::qrbndPageFooterBeforePrint(bool& /*printBand*/) {
    m_Counter.PageFooterBeforePrint(m_Report.PageNumber());
}

void TfrmSest02::qrsysStrankaPrint(std::string& text) const {
    m_Counter.PageNumberPrint(text);
}

} // namespace ndlemo
