#include "reports/TReportItem.h"

#include <utility>

namespace ndlemo {

namespace {
TReportItem Make(TReportItemKind kind, std::string name, double left, double top) {
    TReportItem item;
    item.Kind = kind;
    item.Name = std::move(name);
    item.Left = left;
    item.Top = top;
    return item;
}
} // namespace

TReportItem TReportItem::MakeLabel(std::string name, double left, double top, std::string caption, TReportFont font) {
    TReportItem item = Make(TReportItemKind::Label, std::move(name), left, top);
    item.Caption = std::move(caption);
    item.Font = std::move(font);
    item.AutoSize = true;
    return item;
}

TReportItem TReportItem::MakeField(std::string name, double left, double top, double width, std::string fieldName,
                                   TReportFont font, TReportAlignment alignment) {
    TReportItem item = Make(TReportItemKind::DataField, std::move(name), left, top);
    item.Width = width;
    item.FieldName = std::move(fieldName);
    item.Font = std::move(font);
    item.Alignment = alignment;
    return item;
}

TReportItem TReportItem::MakeMemo(std::string name, double left, double top, double width, double height,
                                  TReportFont font, bool stretch) {
    TReportItem item = Make(TReportItemKind::Memo, std::move(name), left, top);
    item.Width = width;
    item.Height = height;
    item.Font = std::move(font);
    item.Stretch = stretch;
    return item;
}

TReportItem TReportItem::MakeLine(std::string name, double left, double top, double width, double penWidth) {
    TReportItem item = Make(TReportItemKind::Line, std::move(name), left, top);
    item.Width = width;
    item.PenWidth = penWidth;
    return item;
}

TReportItem TReportItem::MakePicture(std::string name, double left, double top, double width, double height,
                                     QImage image) {
    TReportItem item = Make(TReportItemKind::Picture, std::move(name), left, top);
    item.Width = width;
    item.Height = height;
    item.Image = std::move(image);
    return item;
}

TReportItem TReportItem::MakePageNumber(std::string name, double left, double top, TReportFont font) {
    TReportItem item = Make(TReportItemKind::PageNumber, std::move(name), left, top);
    item.Font = std::move(font);
    item.AutoSize = true;
    return item;
}

TReportItem& TReportItem::InBox(double width, TReportAlignment alignment, double height) {
    AutoSize = false;
    Width = width;
    Alignment = alignment;
    Height = height;
    return *this;
}

} // namespace ndlemo
