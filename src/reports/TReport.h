#pragma once

#include "reports/TReportBand.h"
#include "reports/TReportDocument.h"
#include "reports/TReportItem.h"
#include "reports/TReportMetrics.h"

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ndlemo {

class TQsStreamDataSet;

// A banded report on an A4 sheet: its bands, the report-level items and the table whose rows it prints.
// Prepare lays it out into pages; the report forms fill its items and run the passes they need.
class TReport {
public:
    std::string Title; // the preview window's title
    bool Landscape = false;
    double MarginTop = 10.0; // millimetres
    double MarginBottom = 10.0;
    double MarginLeft = 10.0;
    double MarginRight = 10.0;
    // Walked from its first row to its last by the detail band; none: no detail rows.
    TQsStreamDataSet* DataSet = nullptr;
    // Runs at the start of every layout pass.
    std::function<void()> BeforePrint;
    // Drawn on every page after the page's bands, in millimetres from the sheet's top-left corner.
    std::vector<TReportItem> PageItems;

    TReportBand& AddBand(TReportBandType type, std::string name, double height);
    [[nodiscard]] const std::deque<TReportBand>& Bands() const { return m_Bands; }
    [[nodiscard]] std::deque<TReportBand>& Bands() { return m_Bands; }
    // Raises ESubroutineError when the report has no band (or item) of that name.
    [[nodiscard]] TReportBand& Band(std::string_view name);
    [[nodiscard]] TReportItem& Item(std::string_view name);

    // A4 in the report's orientation.
    [[nodiscard]] double PageWidth() const { return Landscape ? 297.0 : 210.0; }
    [[nodiscard]] double PageHeight() const { return Landscape ? 210.0 : 297.0; }

    // One layout pass: the page header, the title band, the rows of DataSet from the first to the last with
    // their groups, the summary, and the page footer and report-level items of every page. A band that does
    // not fit below the rows of a page starts the next page; a band with a stretching memo continues on
    // as many pages as its lines need. Raises ESubroutineError without a Qt Gui application (no fonts).
    [[nodiscard]] TReportDocument Prepare();
    // Drops the memo lines kept wrapped from the last pass (the next pass wraps them again). For the end of
    // a run of passes, so that a long memo does not stay in memory with the report.
    void ForgetWrappedLines() { m_Wrapped.clear(); }
    // The page being laid out (for the hooks); 0 outside a pass.
    [[nodiscard]] int PageNumber() const { return m_PageNumber; }

private:
    friend class TReportLayout;
    // A memo's lines as wrapped for its box, kept while its lines, font and width stay the same: the
    // reports lay out twice, and wrapping a long memo is the costly part of a pass.
    struct TWrapped {
        TReportFont Font;
        double Width = 0.0;
        std::vector<std::string> Source;
        std::vector<TReportMetrics::TLine> Lines;
    };
    const std::vector<TReportMetrics::TLine>& WrappedLines(const TReportItem& memo, TReportMetrics& metrics);

    int m_PageNumber = 0;
    std::unordered_map<std::string, TWrapped> m_Wrapped;
    std::deque<TReportBand> m_Bands; // a deque keeps references to the bands valid while more are added
};

} // namespace ndlemo
