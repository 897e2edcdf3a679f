#include "reports/TReportRenderer.h"

#include "reports/TReportDocument.h"
#include "reports/TReportMetrics.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <vector>

namespace ndlemo {

void TReportRenderer::PaintPage(QPainter& painter, const TReportDocument& document, size_t page, double pxPerMm) {
    if (page >= document.Pages.size())
        return;
    // A point size that gives the font its physical size on this device at this scale.
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    const double pointScale = pxPerMm * 25.4 / dpi;
    std::vector<QFont> fonts;
    std::vector<double> ascents;
    for (const TReportFont& font : document.Fonts) {
        fonts.push_back(TReportMetrics::QtFont(font, font.PointSize * pointScale));
        ascents.push_back(QFontMetricsF(fonts.back(), painter.device()).ascent());
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setPen(Qt::black);
    int currentFont = -1;
    for (const TReportElement& e : document.Pages[page].Elements) {
        const double x = e.Left * pxPerMm, y = e.Top * pxPerMm;
        switch (e.Kind) {
        case TReportElementKind::Text:
            if (e.Text.empty() || e.Font >= fonts.size())
                break;
            if (currentFont != e.Font) {
                painter.setFont(fonts[e.Font]);
                currentFont = e.Font;
            }
            painter.drawText(QPointF(x, y + ascents[e.Font]), QString::fromStdString(e.Text));
            break;
        case TReportElementKind::Line:
            painter.setPen(QPen(Qt::black, e.PenWidth * pxPerMm, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(x, y), QPointF(x + e.Width * pxPerMm, y + e.Height * pxPerMm));
            painter.setPen(Qt::black);
            break;
        case TReportElementKind::Picture:
            if (e.Picture < document.Pictures.size())
                painter.drawImage(QRectF(x, y, e.Width * pxPerMm, e.Height * pxPerMm), document.Pictures[e.Picture]);
            break;
        }
    }
    painter.restore();
}

} // namespace ndlemo
