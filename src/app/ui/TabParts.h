#pragma once

class QLabel;
class QToolBar;
class QWidget;

namespace ndlemo {

// Pieces shared by the two work tabs of the main window.

// A label with the caption (UTF-8) as the control's buddy, so that assistive technologies name the control
// by it; named after the control ("cedtICZ_LZ" -> "lblICZ_LZ", "edtDatPrijeti" -> "lblDatPrijeti").
QLabel* NewFieldLabel(QWidget* control, const char* caption);
// Gives a field the width of that many digits and a little room, so its size tells what it takes.
void SetWidthForChars(QWidget* control, int chars);
// A toolbar of a tab with its object name and the name assistive technologies give it.
QToolBar* NewTabToolBar(const char* name, const char* accessibleName, QWidget* parent);

} // namespace ndlemo
