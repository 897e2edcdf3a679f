#include "reports/TfrmSest01.h"

#include "invoice/TLemoPrij.h"
#include "reports/PageFooterBand.h"
#include "reports/ReportLogo.h"
#include "reports/ReportText.h"
#include "reports/TReportPreview.h"
#include "support/FormatText.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <utility>

namespace ndlemo {

namespace {
// The layout is drawn in 96-dpi screen pixels.
TReportItem Label(std::string name, double x, double y, std::string caption, TReportFont font) {
    return TReportItem::MakeLabel(std::move(name), PxToMm(x), PxToMm(y), std::move(caption), std::move(font));
}
} // namespace

TfrmSest01::TfrmSest01(TQsStreamDataSet& table, std::filesystem::path programFile)
    : qssSest01(table), m_ProgramFile(std::move(programFile)) {
    BuildLayout();
}

void TfrmSest01::BuildLayout() {
    TReport& r = m_Report;
    r.Title = "Náhled sestavy";
    r.DataSet = &qssSest01;
    r.BeforePrint = [this] { qrSestavaBeforePrint(); };

    const TReportFont caption = Arial(10, true), value = Arial(10);
    TReportBand& header = r.AddBand(TReportBandType::PageHeader, "qrbndPageHeader", PxToMm(114));
    header.BottomLine = PxToMm(2);
    header.Add(TReportItem::MakePicture("QRImage1", PxToMm(4), PxToMm(4), PxToMm(73), PxToMm(65), ReportLogo()));
    header.Add(Label("qrlblCPracoviste", 112, 58, "Pracoviště:", caption));
    header.Add(Label("qrlblPracoviste", 212, 58, "", value));
    header.Add(Label("qrlblCDatPrijeti", 112, 76, "Datum přijetí:", caption));
    header.Add(Label("qrlblDatPrijeti", 212, 76, "", value));
    const std::pair<const char*, const char*> right[] = {
        {"ICZ", "IČZ:"},
        {"CisloFaktury", "Číslo faktury:"},
        {"RokVystaveni", "Rok vystavení:"},
        {"DatVystaveni", "Datum vystavení:"},
        {"DatOdeslani", "Datum odeslání:"},
        {"DatSplatnosti", "Datum splatnosti:"},
    };
    for (int row = 0; row < 6; ++row) {
        const double y = 4 + 18 * row;
        header.Add(Label(std::string("qrlblC") + right[row].first, 444, y, right[row].second, caption));
        header.Add(Label(std::string("qrlbl") + right[row].first, 564, y, "", value));
    }

    const TReportFont small = Arial(8), smallBold = Arial(8, true);
    TReportBand& title = r.AddBand(TReportBandType::Title, "qrbndTitle", PxToMm(108));
    title.Add(Label("qrlblCICO", 4, 6, "IČO:", smallBold));
    title.Add(Label("qrlblICO", 40, 6, "", small));
    title.Add(Label("qrlblCUcet", 180, 6, "Číslo účtu:", smallBold));
    title.Add(Label("qrlblUcet", 240, 6, "", small));
    title.Add(Label("qrlblCVarSymbol", 444, 6, "Var. symbol:", smallBold));
    title.Add(Label("qrlblVarSymbol", 510, 6, "", small));
    title.Add(Label("qrlblCCelkem", 4, 26, "Celkem za fakturu:", caption));
    title.Add(Label("qrlblCelkem", 140, 26, "", caption)).InBox(PxToMm(100), TReportAlignment::Right);
    title.Add(Label("qrlblKc", 244, 26, "Kč", caption));
    title.Add(Label("qrlblCPopis", 4, 50, "Popis:", smallBold));
    title.Add(Label("qrlblPopis", 70, 50, "", small));
    title.Add(Label("qrlblCPoznamka", 4, 68, "Poznámka:", smallBold));
    title.Add(TReportItem::MakeMemo("qrmemPoznamka", PxToMm(70), PxToMm(68), PxToMm(629), PxToMm(36), small, false));

    TReportBand& columns = r.AddBand(TReportBandType::ColumnHeader, "qrbndColumnHeader", PxToMm(22));
    columns.BottomLine = PxToMm(1);
    columns.Add(Label("qrlblCSoubor", 4, 3, "Soubor", caption));
    columns.Add(Label("qrlblCDavka", 50, 3, "Dávka", caption)).InBox(PxToMm(52), TReportAlignment::Right);
    columns.Add(Label("qrlblCMesic", 106, 3, "Měsíc", caption));
    columns.Add(Label("qrlblCRok", 144, 3, "Rok", caption));
    columns.Add(Label("qrlblCChyba", 192, 3, "Chyby souboru", caption)).OnPrint = [this](std::string& text) {
        qrlblCChybaPrint(text);
    };

    // The group only marks where a file's rows end: its header never prints, its footer is a thin rule.
    TReportBand& group = r.AddBand(TReportBandType::GroupHeader, "qrgrpSoubor", 0);
    group.GroupField = "SEST01_Soubor";
    group.BeforePrint = [this](bool& print) { qrgrpSouborBeforePrint(print); };
    TReportBand& groupFooter = r.AddBand(TReportBandType::GroupFooter, "qrbndGroupFooter", PxToMm(4));
    groupFooter.GroupField = "SEST01_Soubor";
    groupFooter.TopLine = PxToMm(1);

    TReportBand& detail = r.AddBand(TReportBandType::Detail, "qrbndDetail", PxToMm(18));
    auto field = [&](const char* name, double x, double width, const char* fieldName, TReportAlignment align) {
        return &detail.Add(TReportItem::MakeField(name, PxToMm(x), PxToMm(1), PxToMm(width), fieldName, value, align));
    };
    field("qrdbtSoubor", 4, 44, "SEST01_Soubor", TReportAlignment::Left)->OnPrint = [this](std::string& text) {
        qrdbtSouborPrint(text);
    };
    field("qrdbtDavka", 50, 52, "SEST01_Davka", TReportAlignment::Right);
    field("qrdbtMesic", 106, 34, "SEST01_Mesic", TReportAlignment::Right);
    field("qrdbtRok", 144, 44, "SEST01_Rok", TReportAlignment::Left);
    field("qrdbtChyba", 192, 529, "SEST01_Chyba", TReportAlignment::Left);

    TReportBand& summary = r.AddBand(TReportBandType::Summary, "qrbndSummary", PxToMm(66));
    summary.Add(Label("qrlblResult", 4, 8, "", caption));
    summary.Add(Label("qrlblFile", 4, 28, "Soubor:", caption));
    summary.Add(Label("qrlblFileName", 64, 28, "", value));
    summary.Add(TReportItem::MakeMemo("qrmemChyby", PxToMm(4), PxToMm(48), PxToMm(700), PxToMm(16), Arial(9), true));

    AddPageFooterBand(
        r, true, [this](bool& print) { qrbndPageFooterBeforePrint(print); },
        [this](std::string& text) { qrsysStrankaPrint(text); });

    // Over the page header, drawn after each page's bands.
    r.PageItems.push_back(Label("qrlblTitul", 150, 56, "Příjem dávek LEMO", Arial(14, true))
                              .InBox(PxToMm(176), TReportAlignment::Center, PxToMm(24)));
}

void TfrmSest01::SetCaption(std::string_view item, std::string text) {
    m_Report.Item(item).Caption = std::move(text);
}

void TfrmSest01::NaplnSest01(const TLemoPrij& prij, TQsStreamDataSet& table) {
    table.Empty();
    int soubor = 0;
    for (const auto& file : prij.Soubory) {
        const std::string number = std::to_string(++soubor);
        bool first = true;
        for (const auto& davka : file->Davky) {
            table.Append();
            table.FieldByName("SEST01_Soubor").SetAsString(number);
            table.FieldByName("SEST01_Davka").SetAsString(std::to_string(davka->Davka.Cislo));
            table.FieldByName("SEST01_Mesic").SetAsString(davka->Davka.Mesic);
            table.FieldByName("SEST01_Rok").SetAsString(davka->Davka.Rok);
            table.FieldByName("SEST01_Chyba").SetAsString(first && !file->Chyby.empty() ? "Ano" : "");
            table.Post();
            first = false;
        }
    }
}

void TfrmSest01::Fill(bool chyby, const std::string& userName, const TLemoPrij& prij, const std::string& fileName,
                      const std::string& resultText, const std::string& workplace) {
    const TFormatSettings& formats = TFormatSettings::Current();
    m_Chyby = chyby;

    SetCaption("qrlblResult", resultText);
    SetCaption("qrlblFileName", fileName);
    m_Report.Item("qrlblFile").Enabled = !fileName.empty();

    SetCaption("qrlblVerze", GetProductVersion(m_ProgramFile));
    SetCaption("qrlblUzivatel", userName);
    SetCaption("qrlblDatum", formats.FormatDate(TClock::Today()));

    SetCaption("qrlblPracoviste", workplace);
    SetCaption("qrlblDatPrijeti", formats.FormatDate(prij.DatumPrijeti));
    SetCaption("qrlblICZ", prij.ICZ);
    SetCaption("qrlblCisloFaktury", prij.CisloFaktury);
    SetCaption("qrlblRokVystaveni", prij.RokFaktury);
    SetCaption("qrlblDatVystaveni", formats.FormatDate(prij.DatumVystaveni));
    SetCaption("qrlblDatOdeslani", formats.FormatDate(prij.DatumOdeslani));
    SetCaption("qrlblDatSplatnosti", formats.FormatDate(prij.DatumSplatnosti));

    SetCaption("qrlblICO", prij.ICO);
    std::string ucet = prij.CisloUctu + " / " + prij.KodBanky;
    SetCaption("qrlblUcet", TrimWhitespace(ucet) == "/" ? std::string() : ucet);
    SetCaption("qrlblVarSymbol", prij.VarSymbol);
    SetCaption("qrlblCelkem", formats.FormatNumber(prij.Castka, 2, true));
    SetCaption("qrlblPopis", prij.Popis);
    m_Report.Item("qrmemPoznamka").Lines = SplitLines(prij.Poznamka);

    NaplnSest01(prij, qssSest01);
    qssSest01.First();

    std::vector<std::string>& chybyLines = m_Report.Item("qrmemChyby").Lines;
    chybyLines.clear();
    int soubor = 0;
    for (const auto& file : prij.Soubory) {
        ++soubor;
        if (file->Chyby.empty())
            continue;
        chybyLines.push_back(FormatText("Chyby souboru %s :", soubor));
        chybyLines.insert(chybyLines.end(), file->Chyby.begin(), file->Chyby.end());
        chybyLines.emplace_back();
    }
}

TReportDocument TfrmSest01::Priprav(bool chyby, const std::string& userName, const TLemoPrij& prij,
                                    const std::string& fileName, const std::string& resultText,
                                    const std::string& workplace) {
    Fill(chyby, userName, prij, fileName, resultText, workplace);
    ClearPageCounter();
    // The first pass only counts the pages for the "N z M" of the second.
    (void)m_Report.Prepare();
    TReportDocument pages = m_Report.Prepare();
    m_Report.ForgetWrappedLines();
    return pages;
}

void TfrmSest01::Nahled(bool chyby, const std::string& userName, const TLemoPrij& prij, const std::string& fileName,
                        const std::string& resultText, const std::string& workplace) {
    const TReportDocument pages = Priprav(chyby, userName, prij, fileName, resultText, workplace);
    ShowReportPreview(pages);
}

void TfrmSest01::qrSestavaBeforePrint() {
    m_LastSoubor.clear();
}

void TfrmSest01::qrgrpSouborBeforePrint(bool& printBand) {
    m_LastSoubor.clear();
    printBand = false;
}

void TfrmSest01::qrdbtSouborPrint(std::string& text) {
    std::string soubor = TrimWhitespace(text);
    if (soubor == m_LastSoubor) {
        text.clear();
        return;
    }
    m_LastSoubor = std::move(soubor);
}

void TfrmSest01::qrlblCChybaPrint(std::string& text) const {
    if (!m_Chyby)
        text.clear();
}

void TfrmSest01::qrbndPageFooterBeforePrint(bool& /*printBand*/) {
    m_Counter.PageFooterBeforePrint(m_Report.PageNumber());
}

void TfrmSest01::qrsysStrankaPrint(std::string& text) const {
    m_Counter.PageNumberPrint(text);
}

} // namespace ndlemo
