#include "reports/TReport.h"

#include "reports/TReportLayout.h"
#include "reports/TReportMetrics.h"
#include "support/ESubroutineError.h"

#include <utility>

namespace ndlemo {

TReportBand& TReport::AddBand(TReportBandType type, std::string name, double height) {
    return m_Bands.emplace_back(type, std::move(name), height);
}

TReportBand& TReport::Band(std::string_view name) {
    for (TReportBand& band : m_Bands)
        if (band.Name == name)
            return band;
    throw ESubroutineError("Sestava nemá pás \"%s\"", name);
}

TReportItem& TReport::Item(std::string_view name) {
    for (TReportBand& band : m_Bands)
        for (TReportItem& item : band.Items)
            if (item.Name == name)
                return item;
    for (TReportItem& item : PageItems)
        if (item.Name == name)
            return item;
    throw ESubroutineError("Sestava nemá prvek \"%s\"", name);
}

const std::vector<TReportMetrics::TLine>& TReport::WrappedLines(const TReportItem& memo, TReportMetrics& metrics) {
    TWrapped& w = m_Wrapped[memo.Name];
    if (w.Font != memo.Font || w.Width != memo.Width || w.Source != memo.Lines) {
        w.Lines.clear();
        for (const std::string& line : memo.Lines)
            metrics.Wrap(memo.Font, line, memo.Width, w.Lines);
        w.Font = memo.Font;
        w.Width = memo.Width;
        w.Source = memo.Lines;
    }
    return w.Lines;
}

TReportDocument TReport::Prepare() {
    TReportMetrics metrics;
    return TReportLayout(*this, metrics).Run();
}

} // namespace ndlemo
