#pragma once

#include "reports/TReport.h"
#include "reports/TReportDocument.h"
#include "support/TDateTime.h"

#include <filesystem>
#include <memory>
#include <string>

namespace ndlemo {

class TLemoPrij;
class TQsStreamDataSet;

// The eighteen header values of the invoice printout, in the order in which the send run passes them.
struct TInvoiceValues {
    std::string ICZ;
    std::string ICO;
    std::string CisloFaktury;
    std::string DodNazev;
    std::string DodUlice;
    std::string DodPsc;
    std::string DodObec;
    std::string OdbNazev;
    std::string OdbUlice;
    std::string OdbPsc;
    std::string OdbObec;
    std::string OdbICO;
    std::string Ucet; // account number, "/" and bank code
    std::string VarSymbol;
    TDateTime DatVystaveni; // a whole-day part of 0 is no date
    TDateTime DatOdeslani;
    TDateTime DatSplatnosti;
    double Celkem = 0.0;

    // The values of an invoice record, the account written as number + "/" + bank code.
    [[nodiscard]] static TInvoiceValues FromRecord(const TLemoPrij& prij);
};

// The invoice printout "FAKTURA za dávky": previewed after a send and filed as PDF in the archive.
class TfrmQRFaktura {
public:
    TfrmQRFaktura();
    ~TfrmQRFaktura();
    TfrmQRFaktura(const TfrmQRFaktura&) = delete;
    TfrmQRFaktura& operator=(const TfrmQRFaktura&) = delete;

    // Empties the form's table, then one row per batch of every attached file, files numbered from 1.
    void FillInvoiceBatches(const TLemoPrij& prij);
    void SetInvoiceValues(const TInvoiceValues& values);
    // Lays the invoice out and shows it modally; returns when the preview is closed.
    void ShowPreview();
    // Lays the invoice out and writes it as PDF under a name not yet taken (fileName, else with _001,
    // _002... before the extension), which fileName then holds. False when the file cannot be created or
    // written; never raises for file problems.
    [[nodiscard]] bool ExportPdf(std::filesystem::path& fileName);
    // The pages as ShowPreview and ExportPdf lay them out.
    [[nodiscard]] TReportDocument Prepare() { return m_Report.Prepare(); }

    [[nodiscard]] TQsStreamDataSet& Table() { return *qssSestQRF; }
    [[nodiscard]] TReport& Report() { return m_Report; }

private:
    void BuildLayout();
    void SetCaption(std::string_view item, std::string text);

    std::unique_ptr<TQsStreamDataSet> qssSestQRF;
    TReport m_Report;
};

} // namespace ndlemo
