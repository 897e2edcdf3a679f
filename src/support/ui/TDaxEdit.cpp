#include "support/ui/TDaxEdit.h"

#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TMessageBoxes.h"
#include "support/ui/ControlState.h"
#include "support/ui/TEntryRefusal.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

namespace ndlemo {

namespace {

int CharCount(const QString& s) {
    return static_cast<int>(s.toUcs4().size());
}

// The first n characters (code points) of s.
QString LeftChars(const QString& s, int n) {
    QList<uint> chars = s.toUcs4();
    if (n >= chars.size())
        return s;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), std::max(n, 0));
}

// False for keys that never reach the filter: navigation, Delete, Tab, function keys.
bool Classify(const QKeyEvent* event, TEditKey& key) {
    if (event->matches(QKeySequence::Copy)) {
        key = TEditKey::Copy;
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        key = TEditKey::Paste;
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        key = TEditKey::Cut;
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = TEditKey::Backspace;
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = TEditKey::Enter;
        return true;
    case Qt::Key_Escape:
        key = TEditKey::Escape;
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const QString text = event->text();
    const bool ctrl = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (ctrl && !alt) {
        if (!text.isEmpty() || (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)) {
            key = TEditKey::OtherControl;
            return true;
        }
        return false;
    }
    if (text.isEmpty())
        return false;
    key = text.at(0).unicode() < 32 || text.at(0).unicode() == 127 ? TEditKey::OtherControl : TEditKey::Character;
    return true;
}

} // namespace

TDaxEdit::TDaxEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TDaxEdit::OnTextChanged);
    connect(this, &QLineEdit::textEdited, this, &TDaxEdit::OnTextEdited);
    ApplyDisplayAlignment(false);
}

TDaxEdit::TDaxEdit(const QString& objectName, QWidget* parent) : TDaxEdit(parent) {
    setObjectName(objectName);
}

void TDaxEdit::SetValueType(TValueType type) {
    m_ValueType = type;
    switch (type) {
    case vtText:
        m_CustomFormat.clear();
        m_Value = 0;
        SetTextInternal({});
        break;
    case vtDate:
        m_CustomFormat.clear();
        m_Value = 0;
        m_Date = TDate();
        SetTextInternal({});
        break;
    case vtInteger:
        m_Value = RoundWhole(m_Value);
        break;
    case vtCurrency:
        m_CustomFormat.clear();
        break;
    default:
        break;
    }
    RebuildDisplay();
}

void TDaxEdit::SetValue(double value) {
    if (!IsNumericValueType(m_ValueType))
        return;
    m_Value = m_ValueType == vtInteger ? RoundWhole(value) : value;
    RebuildDisplay();
}

void TDaxEdit::SetDate(TDate date) {
    if (m_ValueType != vtDate)
        return;
    m_Date = date;
    RebuildDisplay();
}

void TDaxEdit::SetValueCustomFormat(const std::string& format) {
    if (m_ValueType == vtInteger || m_ValueType == vtFloat) {
        m_CustomFormat = format;
    } else {
        m_CustomFormat.clear();
        m_Value = 0;
    }
    RebuildDisplay();
}

void TDaxEdit::SetDigits(int16_t digits) {
    m_Digits = digits;
    if (m_ValueType == vtFloat)
        RebuildDisplay();
}

void TDaxEdit::SetDecimals(int16_t decimals) {
    m_Decimals = decimals;
    if (m_ValueType == vtFloat)
        RebuildDisplay();
}

void TDaxEdit::SetAlignment(Qt::Alignment alignment) {
    m_Alignment = alignment & Qt::AlignHorizontal_Mask;
    ApplyDisplayAlignment(hasFocus());
}

void TDaxEdit::SetUpperCase(bool value) {
    m_UpperCase = value;
    if (value)
        OnTextChanged(text());
}

void TDaxEdit::SetText(const std::string& value) {
    setText(QString::fromStdString(value));
}

bool TDaxEdit::IsEmptyForRequired() const {
    if (m_ValueType == vtText || m_ValueType == vtUnknown)
        return text().isEmpty();
    return m_Value == 0 && m_Date.IsNull();
}

void TDaxEdit::OnTextChanged(const QString& text) {
    if (m_UpperCase && text != text.toUpper()) {
        const int caret = cursorPosition();
        setText(text.toUpper());
        setCursorPosition(caret);
        return;
    }
    m_PrevText = m_LastText;
    m_LastText = text;
    if (IsNumericValueType(m_ValueType)) {
        double v = ValueFromTyping(text.toStdString(), TFormatSettings::Current().DecimalSeparator);
        m_Value = m_ValueType == vtInteger ? RoundWhole(v) : v;
    }
}

// Edits that did not pass the key handler (context menu, drag and drop, input methods) still keep the
// length limit.
void TDaxEdit::OnTextEdited(const QString& text) {
    const QString& before = m_LastText == text ? m_PrevText : m_LastText;
    const int max = EffectiveMaxLength();
    if (max > 0 && CharCount(text) > max && CharCount(text) > CharCount(before)) {
        int caret = std::max(0, cursorPosition() - static_cast<int>(text.size() - before.size()));
        setText(before);
        setCursorPosition(caret);
    }
}

void TDaxEdit::ApplyDisplayAlignment(bool focused) {
    if (focused || m_Alignment == Qt::AlignLeft || m_Alignment == Qt::Alignment()) {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setTextMargins(0, 0, 0, 0);
        return;
    }
    setAlignment(m_Alignment | Qt::AlignVCenter);
    int margin = 0;
    if (hasFrame())
        margin = std::min(QFontMetrics(QApplication::font()).height(), fontMetrics().height()) / 6;
    setTextMargins(margin, 0, margin, 0);
}

void TDaxEdit::RebuildDisplay() {
    if (!IsNumericValueType(m_ValueType) && m_ValueType != vtDate)
        return;
    const TFormatSettings& fs = TFormatSettings::Current();
    // A number set while the user is in the field is shown as he edits it, so that leaving reads it back.
    if (IsNumericValueType(m_ValueType) && m_Editing) {
        SetTextInternal(QString::fromStdString(EditingText(m_ValueType, m_Value, fs)));
        return;
    }
    TEditDisplay d{m_ValueType, m_Value, m_Date, m_CustomFormat, m_Digits, m_Decimals};
    SetTextInternal(QString::fromStdString(FormatEditValue(d, fs)));
}

void TDaxEdit::SetTextInternal(const QString& text) {
    if (text != this->text())
        setText(text);
}

int TDaxEdit::EffectiveMaxLength() const {
    if (IsNumericValueType(m_ValueType) && m_Digits > 0)
        return m_Digits;
    return m_MaxLength;
}

void TDaxEdit::InsertLimited(const QString& text) {
    // QLineEdit::insert ignores read-only; every typed or pasted text comes through here.
    if (isReadOnly())
        return;
    QString s = text;
    const int max = EffectiveMaxLength();
    if (max > 0) {
        int room = max - (CharCount(this->text()) - CharCount(selectedText()));
        if (room <= 0)
            return;
        s = LeftChars(s, room);
    }
    if (!s.isEmpty())
        insert(s);
}

bool TDaxEdit::FilterCharacter(QChar& ch) const {
    if (m_UpperCase)
        ch = ch.toUpper();
    if (m_KeyFilter && !m_KeyFilter(ch))
        return false;
    if (!m_AllowedChars.isEmpty() && ch.unicode() >= 32 && !m_AllowedChars.contains(ch))
        return false;
    return true;
}

void TDaxEdit::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    // Coming back from another window or a menu into a field being edited, or after a refused entry, is
    // not entering the field anew.
    const bool returning =
        m_InExit || (m_Editing && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                                   reason == Qt::MenuBarFocusReason));
    ApplyDisplayAlignment(true);
    if (!returning) {
        m_Editing = true;
        // The raw number is edited.
        if (IsNumericValueType(m_ValueType))
            SetTextInternal(QString::fromStdString(EditingText(m_ValueType, m_Value, TFormatSettings::Current())));
    }
    QLineEdit::focusInEvent(event);
    if (returning && !m_InExit)
        return;
    if (reason != Qt::MouseFocusReason) {
        if (m_AutoSelect)
            selectAll();
        else
            setCursorPosition(0);
    }
    if (!returning)
        emit Entered();
}

void TDaxEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_InExit)
        return;
    // The focus only passed through here on its way back into another field that refused its entry.
    if (TEntryRefusal::InProgress()) {
        m_Editing = false;
        RebuildDisplay();
        ApplyDisplayAlignment(false);
        return;
    }
    // Another window or a menu taking the focus is not leaving the field.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
        return;
    // The field is left only for another control of its window; a window that closes or loses the focus
    // does not check the field.
    QWidget* next = QApplication::focusWidget();
    if (next && next->window() != window())
        return;
    if (!next) {
        m_Editing = false;
        ApplyDisplayAlignment(false);
        return;
    }
    if (IsCancelButton(next)) {
        m_Editing = false;
        ApplyDisplayAlignment(false);
        return;
    }
    m_Editing = false;
    if (!AcceptOnExit()) {
        m_Editing = true;
        if (next != this && reason == Qt::MouseFocusReason)
            TEntryRefusal::SwallowClick(next);
        return;
    }
    ApplyDisplayAlignment(false);
    emit Exited();
}

bool TDaxEdit::AcceptOnExit() {
    const QString current = text();
    const std::string s = current.toStdString();
    const TFormatSettings& fs = TFormatSettings::Current();
    switch (m_ValueType) {
    case vtInteger: {
        int64_t v = 0;
        if (!TryParseInteger(s, v)) {
            RefuseEntry(NotAcceptableValueMessage(s), false);
            return false;
        }
        m_Value = static_cast<double>(v);
        RebuildDisplay();
        return true;
    }
    case vtFloat:
    case vtCurrency: {
        double v = 0;
        if (!TryParseDecimal(s, fs.DecimalSeparator, v)) {
            RefuseEntry(NotAcceptableValueMessage(s), false);
            return false;
        }
        m_Value = v;
        RebuildDisplay();
        return true;
    }
    case vtDate: {
        TDateEntry entry = ParseDateEntry(s, fs.DateSeparator);
        switch (entry.Result) {
        case TDateEntry::TResult::Empty:
            m_Date = TDate();
            break;
        case TDateEntry::TResult::Ok:
            m_Date = entry.Date;
            break;
        case TDateEntry::TResult::Message:
            RefuseEntry(entry.Message, true);
            return false;
        case TDateEntry::TResult::NotANumber:
            RefuseEntry(NotAcceptableValueMessage(s), true);
            return false;
        }
        RebuildDisplay();
        return true;
    }
    default:
        return true;
    }
}

void TDaxEdit::RefuseEntry(const std::string& message, bool caretToStart) {
    TEntryRefusal refusing;
    m_InExit = true;
    try {
        ShowErrorMessage(message);
    } catch (...) {
        m_InExit = false;
        throw;
    }
    setFocus(Qt::OtherFocusReason);
    if (caretToStart)
        setCursorPosition(0);
    m_InExit = false;
}

void TDaxEdit::keyPressEvent(QKeyEvent* event) {
    TEditKey key = TEditKey::Character;
    if (!Classify(event, key)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const TFormatSettings& fs = TFormatSettings::Current();

    if (m_ValueType == vtDate) {
        HandleDateKey(event, key, typed);
        return;
    }

    if (m_ValueType == vtFloat && m_Validate && key != TEditKey::Escape) {
        if (key == TEditKey::Character || key == TEditKey::Backspace) {
            HandleValidateKey(key, typed);
            event->accept();
        } else if (key == TEditKey::Enter) {
            event->ignore(); // the dialog's default button still gets it
        } else {
            event->accept();
        }
        return;
    }

    if (!IsNumericValueType(m_ValueType)) {
        if (key == TEditKey::Character) {
            QString accepted;
            for (QChar ch : typed)
                if (FilterCharacter(ch))
                    accepted += ch;
            InsertLimited(accepted);
            event->accept();
        } else if (key == TEditKey::Paste && !isReadOnly()) {
            QString clip = QApplication::clipboard()->text();
            clip.remove(QLatin1Char('\r'));
            clip = clip.section(QLatin1Char('\n'), 0, 0);
            InsertLimited(m_UpperCase ? clip.toUpper() : clip);
            event->accept();
        } else {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }

    TKeyDecision decision = FilterEditKey(m_ValueType, key, typed.toStdString(), fs);
    switch (decision.Action) {
    case TKeyAction::Accept:
        if (key == TEditKey::Character) {
            QChar ch = typed.at(0);
            if (FilterCharacter(ch))
                InsertLimited(QString(ch));
            event->accept();
        } else {
            QLineEdit::keyPressEvent(event);
        }
        break;
    case TKeyAction::Undo:
        if (!isReadOnly())
            undo();
        selectAll();
        event->accept();
        break;
    default:
        if (key == TEditKey::Enter || key == TEditKey::Escape)
            event->ignore();
        else
            event->accept();
        break;
    }
}

void TDaxEdit::HandleValidateKey(TEditKey key, const QString& ch) {
    if (isReadOnly())
        return;
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    TValidateResult r = ValidateFloatKey(text().toStdString(), selStart, selLength, key, ch.toStdString(), m_Digits,
                                         m_Decimals, TFormatSettings::Current().DecimalSeparator);
    if (r.Beep) {
        QApplication::beep();
        return;
    }
    if (!r.Changed)
        return;
    const QString next = QString::fromStdString(r.Text);
    if (next != text()) {
        // One undoable edit.
        selectAll();
        if (next.isEmpty())
            del();
        else
            insert(next);
    }
    setCursorPosition(r.Caret);
}

void TDaxEdit::HandleDateKey(QKeyEvent* event, TEditKey key, const QString& ch) {
    const TFormatSettings& fs = TFormatSettings::Current();
    TKeyDecision decision = FilterEditKey(vtDate, key, ch.toStdString(), fs);
    switch (decision.Action) {
    case TKeyAction::Accept:
        if (key == TEditKey::Character) {
            if (!isReadOnly())
                InsertLimited(QString::fromStdString(decision.Text));
            event->accept();
        } else {
            QLineEdit::keyPressEvent(event);
        }
        return;
    case TKeyAction::CompleteDate: {
        event->accept();
        if (isReadOnly())
            return;
        const QString completed =
            QString::fromStdString(CompleteDateText(text().toStdString(), fs.DateSeparator, TClock::Today()));
        if (completed != text()) {
            selectAll();
            insert(completed);
        }
        setCursorPosition(static_cast<int>(completed.size()));
        return;
    }
    case TKeyAction::PasteDate: {
        event->accept();
        if (isReadOnly())
            return;
        const QString before = text();
        paste();
        TDateEntry entry = ParseDateEntry(text().toStdString(), fs.DateSeparator);
        if (entry.Result == TDateEntry::TResult::Message || entry.Result == TDateEntry::TResult::NotANumber) {
            setText(before);
            QApplication::beep();
        } else if (entry.Result == TDateEntry::TResult::Ok) {
            m_Date = entry.Date;
            SetTextInternal(QString::fromStdString(entry.Text));
        } else {
            m_Date = TDate();
        }
        return;
    }
    default:
        if (key == TEditKey::Enter || key == TEditKey::Escape)
            event->ignore();
        else
            event->accept();
        return;
    }
}

} // namespace ndlemo
