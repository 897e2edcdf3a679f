#pragma once

#include "reports/TReportFont.h"
#include "reports/TReportPage.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace ndlemo {

// A laid-out report: its pages as drawings, with the fonts and pictures they refer to. This is what the
// preview shows, the printer prints and the PDF writer writes; tests read its texts.
class TReportDocument {
public:
    std::string Title; // the preview window's title
    bool Landscape = false;
    double PageWidth = 210.0; // millimetres, as oriented
    double PageHeight = 297.0;
    std::vector<TReportPage> Pages;
    std::vector<TReportFont> Fonts;
    std::vector<QImage> Pictures;

    // Index of the font (or picture) in the document's list, added when new.
    [[nodiscard]] uint16_t FontIndex(const TReportFont& font);
    [[nodiscard]] uint16_t PictureIndex(const QImage& picture);
};

} // namespace ndlemo
