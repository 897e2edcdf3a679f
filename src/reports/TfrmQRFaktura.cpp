#include "reports/TfrmQRFaktura.h"

#include "invoice/TLemoPrij.h"
#include "reports/TReportPdfWriter.h"
#include "reports/TReportPreview.h"
#include "support/ProgramTables.h"
#include "support/TFormatSettings.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <cmath>
#include <utility>

namespace ndlemo {

namespace {
// Post code and town, each trimmed, joined by one blank; nothing left over when either is missing.
std::string PscObec(const std::string& psc, const std::string& obec) {
    return TrimWhitespace(TrimWhitespace(psc) + " " + TrimWhitespace(obec));
}

std::string DateText(TDateTime value) {
    if (std::trunc(value.Value()) == 0.0)
        return {};
    return TFormatSettings::Current().FormatDate(value.Date());
}
} // namespace

TInvoiceValues TInvoiceValues::FromRecord(const TLemoPrij& prij) {
    TInvoiceValues v;
    v.ICZ = prij.ICZ;
    v.ICO = prij.ICO;
    v.CisloFaktury = prij.CisloFaktury;
    v.DodNazev = prij.DodNazev;
    v.DodUlice = prij.DodUlice;
    v.DodPsc = prij.DodPsc;
    v.DodObec = prij.DodObec;
    v.OdbNazev = prij.OdbNazev;
    v.OdbUlice = prij.OdbUlice;
    v.OdbPsc = prij.OdbPsc;
    v.OdbObec = prij.OdbObec;
    v.OdbICO = prij.OdbICO;
    v.Ucet = prij.CisloUctu + "/" + prij.KodBanky;
    v.VarSymbol = prij.VarSymbol;
    v.DatVystaveni = TDateTime(prij.DatumVystaveni.Serial());
    v.DatOdeslani = TDateTime(prij.DatumOdeslani.Serial());
    v.DatSplatnosti = TDateTime(prij.DatumSplatnosti.Serial());
    v.Celkem = prij.Castka;
    return v;
}

TfrmQRFaktura::TfrmQRFaktura() : qssSestQRF(CreateQssSestQRF()) {
    BuildLayout();
}

TfrmQRFaktura::~TfrmQRFaktura() = default;

void TfrmQRFaktura::BuildLayout() {
    TReport& r = m_Report;
    r.Title = "Náhled sestavy";
    r.DataSet = qssSestQRF.get();
    using I = TReportItem;
    const TReportFont plain = Arial(10), bold = Arial(10, true);

    TReportBand& header = r.AddBand(TReportBandType::PageHeader, "qrbndPageHeader", 26.2);
    header.Add(I::MakeLabel("qrlblCICZ", 3.2, 13.2, "IČZ:", plain));
    header.Add(I::MakeLabel("qrlblICZ", 11.6, 13.2, "", bold));
    header.Add(I::MakeLabel("qrlblCICO", 3.2, 18.3, "IČO:", plain));
    header.Add(I::MakeLabel("qrlblICO", 11.6, 18.3, "", bold));
    header.Add(I::MakeLabel("qrlblCCisloFaktury", 114.8, 13.2, "Číslo faktury:", plain));
    header.Add(I::MakeLabel("qrlblCisloFaktury", 136.5, 13.2, "", bold));
    header.Add(I::MakeLine("QRShape1", 1.1, 24.3, 187.9, PxToMm(2)));

    TReportBand& title = r.AddBand(TReportBandType::Title, "QRBand1", 55.0);
    title.Add(I::MakeLabel("qrlblDodavatel", 3.2, 1.6, "Dodavatel", bold));
    title.Add(I::MakeLabel("qrlblDodavatelNazev", 3.2, 6.6, "", plain));
    title.Add(I::MakeLabel("qrlblDodavatelUlice", 3.2, 11.6, "", plain));
    title.Add(I::MakeLabel("qrlblDodavatelObec", 3.2, 16.7, "", plain));
    title.Add(I::MakeLabel("qrlblOdberatel", 114.8, 1.6, "Odběratel", bold));
    title.Add(I::MakeLabel("qrlblCOdberatelICO", 143.4, 1.6, "IČO:", plain));
    title.Add(I::MakeLabel("qrlblOdberatelICO", 151.9, 1.6, "", bold));
    title.Add(I::MakeLabel("qrlblOdberatelNazev", 114.8, 6.6, "", plain));
    title.Add(I::MakeLabel("qrlblOdberatelUlice", 114.8, 11.6, "", plain));
    title.Add(I::MakeLabel("qrlblOdberatelObec", 114.8, 16.7, "", plain));
    title.Add(I::MakeLabel("qrlblCUcet", 3.2, 25.9, "Číslo účtu:", plain));
    title.Add(I::MakeLabel("qrlblUcet", 24.3, 25.9, "", bold));
    title.Add(I::MakeLabel("qrlblCVarSymbol", 3.2, 31.0, "Var. symbol:", plain));
    title.Add(I::MakeLabel("qrlblVarSymbol", 24.3, 31.0, "", bold));
    title.Add(I::MakeLabel("qrlblCDatVystaveni", 114.8, 25.9, "Datum vystavení:", plain));
    title.Add(I::MakeLabel("qrlblDatVystaveni", 143.4, 25.9, "", bold));
    title.Add(I::MakeLabel("qrlblCDatOdeslani", 114.8, 31.0, "Datum odeslání:", plain));
    title.Add(I::MakeLabel("qrlblDatOdeslani", 143.4, 31.0, "", bold));
    title.Add(I::MakeLabel("qrlblCDatSplatnosti", 114.8, 36.0, "Datum splatnosti:", plain));
    title.Add(I::MakeLabel("qrlblDatSplatnosti", 143.4, 36.0, "", bold));
    title.Add(I::MakeLabel("qrlblCCelkem", 114.8, 45.5, "Celkem Kč:", bold));
    title.Add(I::MakeLabel("qrlblCelkem", 143.4, 45.0, "", Arial(12, true)));
    title.Add(I::MakeLine("QRShape3", 1.1, 54.0, 187.9, PxToMm(1)));

    const TReportFont small = Arial(9), smallBold = Arial(9, true);
    TReportBand& columns = r.AddBand(TReportBandType::ColumnHeader, "qrbndColumn", 5.8);
    columns.Add(I::MakeLabel("qrlblCDavka", 3.2, 0.3, "Dávka", smallBold)).InBox(15.9, TReportAlignment::Right);
    columns.Add(I::MakeLabel("qrlblCMesic", 21.2, 0.3, "Měsíc", smallBold)).InBox(30.4 - 21.2, TReportAlignment::Right);
    columns.Add(I::MakeLabel("qrlblCRok", 32.8, 0.3, "Rok", smallBold));
    columns.Add(I::MakeLine("QRShape2", 1.1, 4.8, 187.9, PxToMm(1)));

    // An empty strip before each file's batches sets the files apart.
    r.AddBand(TReportBandType::GroupHeader, "qrgrpSoubor", 2.1).GroupField = "qssSestQRF_Soubor";

    TReportBand& detail = r.AddBand(TReportBandType::Detail, "qrbndDetail", 5.0);
    detail.Add(I::MakeField("qrdbtDavka", 3.2, 0.3, 15.9, "qssSestQRF_Davka", small, TReportAlignment::Right));
    detail.Add(I::MakeField("qrdbtMesic", 21.2, 0.3, 9.0, "qssSestQRF_Mesic", small, TReportAlignment::Right));
    detail.Add(I::MakeField("qrdbtRok", 32.8, 0.3, 11.4, "qssSestQRF_Rok", small));

    r.AddBand(TReportBandType::Summary, "qrbndSummary", 4.2);
    r.AddBand(TReportBandType::PageFooter, "qrbndPageFooter", 8.5);

    r.PageItems.push_back(I::MakeLabel("qrlblTitul1", 10.6, 12.7, "FAKTURA za dávky", Arial(14, true))
                              .InBox(188.6, TReportAlignment::Center, 6.4));
}

void TfrmQRFaktura::SetCaption(std::string_view item, std::string text) {
    m_Report.Item(item).Caption = std::move(text);
}

void TfrmQRFaktura::FillInvoiceBatches(const TLemoPrij& prij) {
    TQsStreamDataSet& table = *qssSestQRF;
    table.Empty();
    int soubor = 0;
    for (const auto& file : prij.Soubory) {
        const std::string number = std::to_string(++soubor);
        for (const auto& davka : file->Davky) {
            table.Append();
            table.FieldByName("qssSestQRF_Soubor").SetAsString(number);
            table.FieldByName("qssSestQRF_Davka").SetAsString(std::to_string(davka->Davka.Cislo));
            table.FieldByName("qssSestQRF_Mesic").SetAsString(davka->Davka.Mesic);
            table.FieldByName("qssSestQRF_Rok").SetAsString(davka->Davka.Rok);
            table.Post();
        }
    }
    table.First();
}

void TfrmQRFaktura::SetInvoiceValues(const TInvoiceValues& v) {
    SetCaption("qrlblICZ", v.ICZ);
    SetCaption("qrlblICO", v.ICO);
    SetCaption("qrlblCisloFaktury", v.CisloFaktury);
    SetCaption("qrlblDodavatelNazev", v.DodNazev);
    SetCaption("qrlblDodavatelUlice", v.DodUlice);
    SetCaption("qrlblDodavatelObec", PscObec(v.DodPsc, v.DodObec));
    SetCaption("qrlblOdberatelNazev", v.OdbNazev);
    SetCaption("qrlblOdberatelUlice", v.OdbUlice);
    SetCaption("qrlblOdberatelObec", PscObec(v.OdbPsc, v.OdbObec));
    SetCaption("qrlblOdberatelICO", v.OdbICO);
    SetCaption("qrlblUcet", v.Ucet);
    SetCaption("qrlblVarSymbol", v.VarSymbol);
    SetCaption("qrlblDatVystaveni", DateText(v.DatVystaveni));
    SetCaption("qrlblDatOdeslani", DateText(v.DatOdeslani));
    SetCaption("qrlblDatSplatnosti", DateText(v.DatSplatnosti));
    SetCaption("qrlblCelkem", TFormatSettings::Current().FormatNumber(v.Celkem, 2, true));
}

void TfrmQRFaktura::ShowPreview() {
    const TReportDocument pages = Prepare();
    ShowReportPreview(pages);
}

bool TfrmQRFaktura::ExportPdf(std::filesystem::path& fileName) {
    const TReportDocument pages = Prepare();
    fileName = UniqueFileName(fileName, 3, false);
    return TReportPdfWriter::Write(pages, fileName);
}

} // namespace ndlemo
