#include "reports/TReportMetrics.h"

#include "support/ESubroutineError.h"

#include <QGuiApplication>
#include <QTextLayout>
#include <QTextOption>

namespace ndlemo {

TReportMetrics::TReportMetrics() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw ESubroutineError("Sestavu nelze připravit bez grafického prostředí");
    m_Device = QImage(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(Dpi / 0.0254 + 0.5);
    m_Device.setDotsPerMeterX(dotsPerMeter);
    m_Device.setDotsPerMeterY(dotsPerMeter);
}

QFont TReportMetrics::QtFont(const TReportFont& font, double pointSize) {
    QFont qt(QString::fromStdString(font.Family));
    qt.setPointSizeF(pointSize);
    qt.setBold(font.Bold);
    qt.setItalic(font.Italic);
    // Outlines at every size: the layout measured at 1200 dpi must hold on a 96-dpi preview.
    qt.setHintingPreference(QFont::PreferNoHinting);
    return qt;
}

TReportMetrics::TEntry& TReportMetrics::Entry(const TReportFont& font) {
    for (auto& e : m_Entries)
        if (e->Font == font)
            return *e;
    QFont qt = QtFont(font, font.PointSize);
    m_Entries.push_back(std::make_unique<TEntry>(TEntry{font, qt, QFontMetricsF(qt, &m_Device)}));
    return *m_Entries.back();
}

double TReportMetrics::LineHeight(const TReportFont& font) {
    return ToMm(Entry(font).Metrics.height());
}

double TReportMetrics::TextWidth(const TReportFont& font, const QString& text) {
    return ToMm(Entry(font).Metrics.horizontalAdvance(text));
}

QString TReportMetrics::FittingPrefix(const TReportFont& font, const QString& text, double width) {
    const QFontMetricsF& metrics = Entry(font).Metrics;
    const double limit = ToPx(width);
    if (metrics.horizontalAdvance(text) <= limit)
        return text;
    // The advance grows with the length: search the longest prefix that fits.
    qsizetype low = 0, high = text.size();
    while (low < high) {
        qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= limit)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 && text[low - 1].isHighSurrogate())
        --low;
    return text.left(low);
}

void TReportMetrics::Wrap(const TReportFont& font, const std::string& text, double width, std::vector<TLine>& lines) {
    TEntry& entry = Entry(font);
    const double limit = ToPx(width);
    const QString qtext = QString::fromStdString(text);
    const double natural = entry.Metrics.horizontalAdvance(qtext);
    if (natural <= limit) {
        lines.push_back({text, ToMm(natural)});
        return;
    }
    QTextLayout layout(qtext, entry.Qt, &m_Device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(limit);
        // The blanks at a break belong to the line before it; they print as nothing.
        QString part = qtext.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && part.back().isSpace())
            part.chop(1);
        lines.push_back({part.toStdString(), ToMm(line.naturalTextWidth())});
    }
    layout.endLayout();
}

} // namespace ndlemo
