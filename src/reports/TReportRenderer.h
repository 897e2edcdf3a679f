#pragma once

#include <cstddef>

class QPainter;

namespace ndlemo {

class TReportDocument;

// Paints laid-out pages on any Qt paint device: the PDF writer, a printer, the preview.
class TReportRenderer {
public:
    // Paints page `page` with the sheet's top-left corner at the painter's origin and pxPerMm device pixels
    // per millimetre. Fonts are sized for the painter's device, so the page looks the same at any resolution.
    static void PaintPage(QPainter& painter, const TReportDocument& document, size_t page, double pxPerMm);
};

} // namespace ndlemo
