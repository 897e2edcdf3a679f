#pragma once

#include "reports/TPageCounter.h"
#include "reports/TReport.h"
#include "reports/TReportDocument.h"

#include <filesystem>
#include <string>

namespace ndlemo {

class TLemoPrij;
class TQsStreamDataSet;

// The check-error report: the invoice header, one row per batch of every attached file with a marker at
// the files with errors, the result, and every error line per file. Shown after every check and send.
class TfrmSest01 {
public:
    // qssSest01 is the data module's open table, refilled by every output; programFile is the executable
    // whose version the page footer shows.
    TfrmSest01(TQsStreamDataSet& qssSest01, std::filesystem::path programFile);
    TfrmSest01(const TfrmSest01&) = delete;
    TfrmSest01& operator=(const TfrmSest01&) = delete;

    // Empties the table, then one row per batch of every file, files numbered from 1 in list order.
    static void NaplnSest01(const TLemoPrij& prij, TQsStreamDataSet& qssSest01);

    // Fills the report, lays it out and shows it in the preview; returns when the preview is closed, with
    // the laid-out pages released. Errors of the report engine reach the caller.
    void Nahled(bool chyby, const std::string& userName, const TLemoPrij& prij, const std::string& fileName,
                const std::string& resultText, const std::string& workplace);
    // Nahled without the showing: the pages of the second layout pass.
    [[nodiscard]] TReportDocument Priprav(bool chyby, const std::string& userName, const TLemoPrij& prij,
                                          const std::string& fileName, const std::string& resultText,
                                          const std::string& workplace);

    void ClearPageCounter() { m_Counter.ClearPageCounter(); }
    [[nodiscard]] TReport& Report() { return m_Report; }

private:
    void BuildLayout();
    void Fill(bool chyby, const std::string& userName, const TLemoPrij& prij, const std::string& fileName,
              const std::string& resultText, const std::string& workplace);
    void SetCaption(std::string_view item, std::string text);

    void qrSestavaBeforePrint();
    void qrgrpSouborBeforePrint(bool& printBand);
    void qrdbtSouborPrint(std::string& text);
    void qrlblCChybaPrint(std::string& text) const;
    void qrbndPageFooterBeforePrint(bool& printBand);
    void qrsysStrankaPrint(std::string& text) const;

    TQsStreamDataSet& qssSest01;
    std::filesystem::path m_ProgramFile;
    TReport m_Report;
    TPageCounter m_Counter;
    bool m_Chyby = false;
    std::string m_LastSoubor; // the file number printed last in the detail band
};

} // namespace ndlemo
