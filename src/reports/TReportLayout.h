#pragma once

#include "reports/TReportDocument.h"

#include <string>
#include <vector>

namespace ndlemo {

class TReport;
class TReportBand;
class TReportItem;
class TReportMetrics;

// The state of one layout pass of a report: the page being filled, how far down it is filled and the
// page number. TReport::Prepare runs one.
class TReportLayout {
public:
    TReportLayout(TReport& report, TReportMetrics& metrics);
    [[nodiscard]] TReportDocument Run();

private:
    // An element of a band with its place in the band (in millimetres from the band's top).
    struct TPiece {
        TReportElement Element;
        double Top;
        double Bottom;
    };
    struct TBandContent {
        std::vector<TPiece> Pieces;
        double Height = 0.0;
        bool Flows = false; // a stretched memo made it taller than designed: it may break across pages
    };

    void StartPage(bool first);
    void FinishPage();
    void NewPage();
    [[nodiscard]] double BodyBottom() const;

    void PrintBand(TReportBand* band);
    // Emits the band at top without any page-break decision; returns the height printed (0 when left out).
    double PrintFixed(TReportBand* band, double top);
    [[nodiscard]] bool RunBeforePrint(TReportBand& band);
    [[nodiscard]] TBandContent Build(TReportBand& band);
    void Place(TBandContent& content);
    void Emit(TPiece& piece, double left, double top);

    void AddItem(std::vector<TPiece>& pieces, TReportItem& item, double shift);
    void AddText(std::vector<TPiece>& pieces, const TReportItem& item, std::string text, double top);
    [[nodiscard]] std::string FieldText(const TReportItem& item);

    void PrintGroupBands(const std::vector<TReportBand*>& bands, size_t from, bool reverse);

    TReport& m_Report;
    TReportMetrics& m_Metrics;
    TReportDocument m_Doc;
    double m_Y = 0.0;       // top of the free space of the page being filled
    double m_BodyTop = 0.0; // where the bands below the headers begin on this page
    int m_PageNumber = 0;

    TReportBand* m_PageHeader = nullptr;
    TReportBand* m_Title = nullptr;
    TReportBand* m_ColumnHeader = nullptr;
    TReportBand* m_Detail = nullptr;
    TReportBand* m_Summary = nullptr;
    TReportBand* m_PageFooter = nullptr;
    std::vector<std::string> m_GroupFields;   // outermost first
    std::vector<TReportBand*> m_GroupHeaders; // per group field, nullptr when it has none
    std::vector<TReportBand*> m_GroupFooters;
};

} // namespace ndlemo
