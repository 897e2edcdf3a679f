#pragma once

#include <QImage>

namespace ndlemo {

// The picture at the left of the report page headers: a plain sheet with lines of text, drawn here rather
// than stored, in grey so that it prints well on any printer.
[[nodiscard]] const QImage& ReportLogo();

} // namespace ndlemo
