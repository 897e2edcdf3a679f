#include "reports/ReportLogo.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace ndlemo {

namespace {
QImage DrawLogo() {
    // Four times the 73 x 65 screen pixels of the header's box, so that it stays sharp on paper.
    QImage image(292, 260, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(96, 96, 96), paper(236, 236, 236);

    // A sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(70, 16);
    sheet.lineTo(186, 16);
    sheet.lineTo(222, 52);
    sheet.lineTo(222, 244);
    sheet.lineTo(70, 244);
    sheet.closeSubpath();
    p.setPen(QPen(ink, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(186, 16);
    fold.lineTo(186, 52);
    fold.lineTo(222, 52);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);

    // Lines of text.
    p.setPen(QPen(ink, 10, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const int y = 88 + i * 32;
        p.drawLine(98, y, i == 4 ? 150 : 194, y);
    }
    return image;
}
} // namespace

const QImage& ReportLogo() {
    static const QImage logo = DrawLogo();
    return logo;
}

} // namespace ndlemo
