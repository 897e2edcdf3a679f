#include "reports/TReportDocument.h"

namespace ndlemo {

uint16_t TReportDocument::FontIndex(const TReportFont& font) {
    for (size_t i = 0; i < Fonts.size(); ++i)
        if (Fonts[i] == font)
            return static_cast<uint16_t>(i);
    Fonts.push_back(font);
    return static_cast<uint16_t>(Fonts.size() - 1);
}

uint16_t TReportDocument::PictureIndex(const QImage& picture) {
    for (size_t i = 0; i < Pictures.size(); ++i)
        if (Pictures[i].cacheKey() == picture.cacheKey())
            return static_cast<uint16_t>(i);
    Pictures.push_back(picture);
    return static_cast<uint16_t>(Pictures.size() - 1);
}

} // namespace ndlemo
