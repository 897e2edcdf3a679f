#include "support/ui/DialogPlacement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

namespace ndlemo {

void FixDialogBorder(QDialog& dialog) {
    dialog.setWindowFlags((dialog.windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    if (dialog.layout())
        dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void CentreOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.adjustSize();
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace ndlemo
