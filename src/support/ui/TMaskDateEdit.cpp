#include "support/ui/TMaskDateEdit.h"

#include "support/TFormatSettings.h"
#include "support/TMessageBoxes.h"
#include "support/ui/TEntryRefusal.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>

#include <exception>

namespace ndlemo {

namespace {
constexpr QChar Blank = QLatin1Char('_');
}

TMaskDateEdit::TMaskDateEdit(const QString& objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    ApplyMask();
}

void TMaskDateEdit::ApplyMask() {
    const QString separator = QString::fromStdString(TFormatSettings::Current().DateSeparator).left(1);
    if (separator == m_Separator && !inputMask().isEmpty())
        return;
    m_Separator = separator;
    // "9" is an optional digit; the separator is escaped, since some characters have a meaning in a mask.
    const QString sep = QLatin1Char('\\') + separator;
    setInputMask(QStringLiteral("99") + sep + QStringLiteral("99") + sep + QStringLiteral("9999;") + Blank);
}

std::string TMaskDateEdit::Text() const {
    QString shown = displayText();
    shown.replace(Blank, QLatin1Char(' '));
    return shown.toStdString();
}

void TMaskDateEdit::SetText(const std::string& text) {
    ApplyMask();
    setText(QString::fromStdString(text));
}

void TMaskDateEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Entered by keyboard, the whole date is selected, so that typing replaces it.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        selectAll();
}

void TMaskDateEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    // A click past what is filled in puts the caret on the first unfilled place, where typing goes on, and
    // not behind the mask, where it would take nothing.
    if (hasSelectedText())
        return;
    const int firstBlank = static_cast<int>(displayText().indexOf(Blank));
    if (firstBlank >= 0 && cursorPosition() > firstBlank)
        setCursorPosition(firstBlank);
}

void TMaskDateEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!m_OnExit || TEntryRefusal::InProgress())
        return;
    // Another window, a menu or a closing window taking the focus is not leaving the field.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
        return;
    QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != window())
        return;
    try {
        m_OnExit();
    } catch (const std::exception& error) {
        TEntryRefusal refusing;
        // The focus first, so that the window gives it back here when the error box closes.
        setFocus(Qt::OtherFocusReason);
        if (next != this && reason == Qt::MouseFocusReason)
            TEntryRefusal::SwallowClick(next);
        ShowError(error);
    }
}

} // namespace ndlemo
