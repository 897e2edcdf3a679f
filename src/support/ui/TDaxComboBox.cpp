#include "support/ui/TDaxComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

namespace ndlemo {

TDaxComboBox::TDaxComboBox(QWidget* parent) : QComboBox(parent) {}

TDaxComboBox::TDaxComboBox(const QString& objectName, QWidget* parent) : TDaxComboBox(parent) {
    setObjectName(objectName);
}

void TDaxComboBox::SetReadOnly(bool value) {
    m_ReadOnly = value;
    if (QLineEdit* edit = lineEdit()) {
        edit->setReadOnly(value);
        setFocusPolicy(value ? Qt::NoFocus : Qt::StrongFocus);
    }
}

void TDaxComboBox::SetText(const std::string& value) {
    const QString text = QString::fromStdString(value);
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text, Qt::MatchExactly));
}

// While read-only, the user's keys, clicks and wheel turns change nothing.
void TDaxComboBox::keyPressEvent(QKeyEvent* event) {
    if (!m_ReadOnly) {
        QComboBox::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        event->ignore();
        break;
    default:
        event->accept();
        break;
    }
}

void TDaxComboBox::mousePressEvent(QMouseEvent* event) {
    if (m_ReadOnly)
        event->accept();
    else
        QComboBox::mousePressEvent(event);
}

void TDaxComboBox::wheelEvent(QWheelEvent* event) {
    if (m_ReadOnly)
        event->ignore();
    else
        QComboBox::wheelEvent(event);
}

void TDaxComboBox::showPopup() {
    if (!m_ReadOnly)
        QComboBox::showPopup();
}

} // namespace ndlemo
