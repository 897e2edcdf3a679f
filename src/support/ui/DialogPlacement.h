#pragma once

class QDialog;
class QWidget;

namespace ndlemo {

// A dialog with a fixed border: its size follows its layout and the user cannot resize it.
void FixDialogBorder(QDialog& dialog);
// Moves a window to the centre of the screen it is on.
void CentreOnScreen(QWidget& window);

} // namespace ndlemo
