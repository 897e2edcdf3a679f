#include "reports/ui/TReportPageView.h"

#include "reports/TReportDocument.h"
#include "reports/TReportRenderer.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ndlemo {

namespace {
constexpr int Gap = 16; // pixels of ground around and between the sheets
}

TReportPageView::TReportPageView(const TReportDocument& document, QWidget* parent)
    : QWidget(parent), m_Document(document) {
    setObjectName(QStringLiteral("pgvStranky"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateSize();
}

double TReportPageView::PxPerMm() const {
    return m_Zoom * 96.0 / 25.4;
}

QSize TReportPageView::PageSize() const {
    return {static_cast<int>(std::lround(m_Document.PageWidth * PxPerMm())),
            static_cast<int>(std::lround(m_Document.PageHeight * PxPerMm()))};
}

int TReportPageView::PageCount() const {
    return static_cast<int>(m_Document.Pages.size());
}

void TReportPageView::SetZoom(double zoom) {
    m_Zoom = std::clamp(zoom, 0.25, 4.0);
    UpdateSize();
    update();
}

void TReportPageView::UpdateSize() {
    const QSize page = PageSize();
    setFixedSize(page.width() + 2 * Gap, std::max(1, PageCount()) * (page.height() + Gap) + Gap);
}

int TReportPageView::PageTop(int page) const {
    return Gap + page * (PageSize().height() + Gap);
}

int TReportPageView::PageAt(int y) const {
    const int pitch = PageSize().height() + Gap;
    return std::clamp((y - Gap / 2) / std::max(1, pitch), 0, std::max(0, PageCount() - 1));
}

void TReportPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, QColor(128, 128, 128));
    const QSize size = PageSize();
    m_PagesPaintedLast = 0;
    for (int page = PageAt(exposed.top()); page < PageCount(); ++page) {
        const QRect sheet(Gap, PageTop(page), size.width(), size.height());
        if (sheet.top() > exposed.bottom())
            break;
        if (!sheet.intersects(exposed))
            continue;
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.translate(sheet.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), size));
        TReportRenderer::PaintPage(painter, m_Document, static_cast<size_t>(page), PxPerMm());
        painter.restore();
        ++m_PagesPaintedLast;
    }
}

} // namespace ndlemo
