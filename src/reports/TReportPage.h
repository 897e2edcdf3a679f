#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

enum class TReportElementKind : uint8_t { Text, Line, Picture };

// One drawing of a laid-out page, in millimetres from the top-left corner of the sheet. A text's box is the
// text itself (already aligned and cut to its item's box); a line runs from (Left, Top) by (Width, Height);
// a picture is stretched into its box.
struct TReportElement {
    TReportElementKind Kind = TReportElementKind::Text;
    uint16_t Font = 0;    // texts: index into the document's fonts
    uint16_t Picture = 0; // pictures: index into the document's pictures
    double Left = 0.0;
    double Top = 0.0;
    double Width = 0.0;
    double Height = 0.0;
    double PenWidth = 0.0; // lines
    std::string Text;
    std::string Item; // name of the report item it comes from
};

// The drawings of one page in the order in which they are painted.
class TReportPage {
public:
    std::vector<TReportElement> Elements;

    // Every text of the page, in painting order.
    [[nodiscard]] std::vector<std::string> Texts() const;
    // The texts of one item (a memo gives one per printed line).
    [[nodiscard]] std::vector<std::string> TextsOf(std::string_view item) const;
    // The first text of the item; nullptr when the item printed nothing on this page.
    [[nodiscard]] const TReportElement* Find(std::string_view item) const;
};

} // namespace ndlemo
