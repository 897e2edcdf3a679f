#pragma once

#include "reports/TReportFont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace ndlemo {

// Text measures for the layout, in millimetres, taken at 1200 dpi without hinting so that they do not
// depend on the screen and match the printed and PDF output.
class TReportMetrics {
public:
    // Raises ESubroutineError when no Qt Gui application exists (no fonts can be loaded then).
    TReportMetrics();

    [[nodiscard]] double LineHeight(const TReportFont& font);
    [[nodiscard]] double TextWidth(const TReportFont& font, const QString& text);
    // The longest beginning of the text that fits into width (whole characters).
    [[nodiscard]] QString FittingPrefix(const TReportFont& font, const QString& text, double width);
    struct TLine {
        std::string Text;
        double Width; // millimetres
    };
    // The text broken into lines no wider than width, at word boundaries where possible and inside a word
    // that is wider than the line; an empty text gives one empty line. Appends to lines.
    void Wrap(const TReportFont& font, const std::string& text, double width, std::vector<TLine>& lines);

    // The Qt font for a report font at the given point size (scaled to the target device by the caller).
    [[nodiscard]] static QFont QtFont(const TReportFont& font, double pointSize);

private:
    struct TEntry {
        TReportFont Font;
        QFont Qt;
        QFontMetricsF Metrics;
    };
    TEntry& Entry(const TReportFont& font);
    [[nodiscard]] double ToMm(double px) const { return px * 25.4 / Dpi; }
    [[nodiscard]] double ToPx(double mm) const { return mm * Dpi / 25.4; }

    static constexpr double Dpi = 1200.0;
    QImage m_Device;
    std::vector<std::unique_ptr<TEntry>> m_Entries;
};

} // namespace ndlemo
