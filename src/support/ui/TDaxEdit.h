#pragma once

// moc of Qt 6.4 cannot read the C++20 headers that these pull in; it needs none of their names.
#ifndef Q_MOC_RUN
#include "support/DaxValueRules.h"
#include "support/TDate.h"
#endif
#include "support/ui/TDaxControl.h"

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <string>

namespace ndlemo {

// The validated edit: a line edit with a display name, a required flag and a typed value (text, integer,
// floating point, currency or date) with its formatting, key filtering and date entry. Entry errors are
// shown in an error box (TMessageBoxes) when the field is left, and the focus goes back to the field.
// Leaving it towards a cancel button (MarkCancelButton in ControlState.h) or another window checks nothing.
class TDaxEdit : public QLineEdit, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxEdit(QWidget* parent = nullptr);
    // The object name is the component name, e.g. "cedtICZ".
    TDaxEdit(const QString& objectName, QWidget* parent);

    [[nodiscard]] TValueType ValueType() const { return m_ValueType; }
    void SetValueType(TValueType type);
    // The number of an integer, floating-point or currency field (ignored for text and date fields).
    [[nodiscard]] double Value() const { return m_Value; }
    void SetValue(double value);
    // The date of a date field (no date = null).
    [[nodiscard]] TDate Date() const { return m_Date; }
    void SetDate(TDate date);
    // Number picture of integer and floating-point fields, e.g. "0.00" (see FormatFloatPicture).
    [[nodiscard]] const std::string& ValueCustomFormat() const { return m_CustomFormat; }
    void SetValueCustomFormat(const std::string& format);
    // Numeric fields: also the maximum length of the text; total digits of the fixed format.
    [[nodiscard]] int Digits() const { return m_Digits; }
    void SetDigits(int16_t digits);
    [[nodiscard]] int Decimals() const { return m_Decimals; }
    void SetDecimals(int16_t decimals);
    // Strict entry of floating-point numbers.
    [[nodiscard]] bool Validate() const { return m_Validate; }
    void SetValidate(bool value) { m_Validate = value; }
    // How the text is drawn while the field does not have the focus (left, right or centre).
    [[nodiscard]] Qt::Alignment Alignment() const { return m_Alignment; }
    void SetAlignment(Qt::Alignment alignment);
    // Whether entering the field by keyboard selects its whole text (else the caret goes to the start).
    [[nodiscard]] bool AutoSelect() const { return m_AutoSelect; }
    void SetAutoSelect(bool value) { m_AutoSelect = value; }

    // Most characters the user may enter (0 = no limit). Programmatic texts are never cut. Numeric fields
    // use Digits when it is set.
    [[nodiscard]] int MaxLength() const { return m_MaxLength; }
    void SetMaxLength(int length) { m_MaxLength = length; }
    // Typing filter: when not empty, a typed character (code 32 and above) must be one of these; control
    // keys pass. E.g. "0123456789" for the digits-only fields. Applies after the value type's own filter;
    // date fields keep theirs alone.
    [[nodiscard]] const QString& AllowedChars() const { return m_AllowedChars; }
    void SetAllowedChars(const QString& chars) { m_AllowedChars = chars; }
    // Letters are forced to upper case, the program's texts too.
    [[nodiscard]] bool UpperCase() const { return m_UpperCase; }
    void SetUpperCase(bool value);
    // A form's own key handler for typed characters: false drops the character; it may replace it.
    using TKeyFilter = std::function<bool(QChar& ch)>;
    void SetKeyFilter(TKeyFilter filter) { m_KeyFilter = std::move(filter); }

    // The text as UTF-8.
    [[nodiscard]] std::string Text() const { return text().toStdString(); }
    void SetText(const std::string& value);

    [[nodiscard]] bool IsEmptyForRequired() const override;

signals:
    // The user entered the field; its text is prepared for editing.
    void Entered();
    // The user left the field and its text was accepted (not emitted when leaving towards a cancel button).
    void Exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextChanged(const QString& text);
    void OnTextEdited(const QString& text);
    void ApplyDisplayAlignment(bool focused);
    void RebuildDisplay();
    void SetTextInternal(const QString& text);
    // False when the entry was refused; the message is shown and the focus is back.
    bool AcceptOnExit();
    void RefuseEntry(const std::string& message, bool caretToStart);
    [[nodiscard]] int EffectiveMaxLength() const;
    // Inserts typed or pasted text at the caret (replacing the selection) within the maximum length.
    void InsertLimited(const QString& text);
    bool FilterCharacter(QChar& ch) const;
    void HandleValidateKey(TEditKey key, const QString& ch);
    void HandleDateKey(QKeyEvent* event, TEditKey key, const QString& ch);

    TValueType m_ValueType = vtText;
    double m_Value = 0;
    TDate m_Date;
    std::string m_CustomFormat;
    int m_Digits = 0;
    int m_Decimals = 0;
    bool m_Validate = false;
    Qt::Alignment m_Alignment = Qt::AlignLeft;
    bool m_AutoSelect = true;
    int m_MaxLength = 0;
    QString m_AllowedChars;
    bool m_UpperCase = false;
    TKeyFilter m_KeyFilter;

    // The texts after the latest and the one before, for the checks of user edits.
    QString m_LastText;
    QString m_PrevText;
    bool m_InExit = false;  // guards against re-entry while an entry error is shown
    bool m_Editing = false; // entered and not yet left: the text is the one being edited
};

} // namespace ndlemo
