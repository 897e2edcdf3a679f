#pragma once

#include "reports/TReportFont.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ndlemo {

enum class TReportItemKind : uint8_t {
    Label,      // a fixed caption
    DataField,  // a field of the report's table in the current row
    Memo,       // lines of text, each word-wrapped to the width
    Line,       // a horizontal line
    Picture,    // an image stretched into the box
    PageNumber, // the number of the page being printed
};

enum class TReportAlignment : uint8_t { Left, Right, Center };

// One element of a band (or of the page, for the report-level items). Positions in millimetres from the
// top-left corner of the band (of the sheet for report-level items).
class TReportItem {
public:
    // Runs just before the item prints, with the text it is about to print; may change or blank it.
    using TPrintHook = std::function<void(std::string& text)>;

    TReportItemKind Kind = TReportItemKind::Label;
    std::string Name;
    double Left = 0.0;
    double Top = 0.0;
    double Width = 0.0;  // the box; with AutoSize the width of the text instead
    double Height = 0.0; // 0: one line of the font
    TReportFont Font;
    TReportAlignment Alignment = TReportAlignment::Left;
    // Labels and fields: the box takes the width of its text, nothing is cut. Otherwise a text wider than
    // its box prints only the characters that fit.
    bool AutoSize = false;
    // False: the item does not print at all.
    bool Enabled = true;
    std::string Caption;            // labels
    std::string FieldName;          // data fields
    std::vector<std::string> Lines; // memos
    // Memos: the box grows with its lines, the band with it, and the band continues on as many pages as
    // it needs. Otherwise lines below the box are not printed.
    bool Stretch = false;
    double PenWidth = 0.0; // lines
    QImage Image;          // pictures
    TPrintHook OnPrint;

    // A caption taking the width of its text.
    [[nodiscard]] static TReportItem MakeLabel(std::string name, double left, double top, std::string caption,
                                               TReportFont font);
    // A table field cut to its box.
    [[nodiscard]] static TReportItem MakeField(std::string name, double left, double top, double width,
                                               std::string fieldName, TReportFont font,
                                               TReportAlignment alignment = TReportAlignment::Left);
    [[nodiscard]] static TReportItem MakeMemo(std::string name, double left, double top, double width, double height,
                                              TReportFont font, bool stretch);
    [[nodiscard]] static TReportItem MakeLine(std::string name, double left, double top, double width, double penWidth);
    [[nodiscard]] static TReportItem MakePicture(std::string name, double left, double top, double width, double height,
                                                 QImage image);
    [[nodiscard]] static TReportItem MakePageNumber(std::string name, double left, double top, TReportFont font);

    // The item placed in a fixed box with the given alignment (no longer sized by its text).
    TReportItem& InBox(double width, TReportAlignment alignment, double height = 0.0);
};

} // namespace ndlemo
