#include "support/ui/TDaxCheckBox.h"

namespace ndlemo {

TDaxCheckBox::TDaxCheckBox(QWidget* parent) : QCheckBox(parent) {}

TDaxCheckBox::TDaxCheckBox(const QString& objectName, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
    setObjectName(objectName);
}

// Only the user's clicks and keys come through here; the program's setChecked does not.
void TDaxCheckBox::nextCheckState() {
    if (!m_ReadOnly)
        QCheckBox::nextCheckState();
}

} // namespace ndlemo
