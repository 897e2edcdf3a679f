#pragma once

#include <QColor>
#include <string>

class QObject;
class QWidget;
class QAbstractButton;

namespace ndlemo {

// The states of SetControlState (its ACompType).
enum class TCompType : int {
    ReadOnly = 0, // shown, not editable
    Disabled = 1,
    Hidden = 2,
    Editable = 3,
    Required = 4, // editable and required
};

// Colours of the states: required aqua, editable the window colour, the others the button face.
[[nodiscard]] QColor RequiredColor();
[[nodiscard]] QColor EditableColor();
[[nodiscard]] QColor InactiveColor();
// Gives a widget the background colour of an input field (edits, memos, combo boxes, date pickers).
void SetFieldColor(QWidget* control, const QColor& color);

// Applies a state to a control according to its kind; other kinds are left alone. Raises ESubroutineError
// for a state outside 0..4 and changes nothing then.
void SetControlState(QWidget* control, int compType);
inline void SetControlState(QWidget* control, TCompType compType) {
    SetControlState(control, static_cast<int>(compType));
}

// False, with the message "Pole "..." musí být zadáno" and the focus on the control, when the control is a
// required member of the family that is not filled in; true otherwise.
bool CheckRequired(QObject* component, std::string& message);

// Walks the form's children in creation order: a page of a tab widget becomes the current page, every
// control goes through CheckRequired; the first failure is shown as a warning and gives false. A control
// that cannot take the focus (disabled or hidden) counts as passed. False for no form.
bool ValidateRequired(QWidget* form);

// Marks a button as one whose press cancels its dialog: leaving a validated edit towards it checks nothing.
// Buttons with the reject role of a QDialogButtonBox count as such without the mark.
void MarkCancelButton(QAbstractButton* button);
[[nodiscard]] bool IsCancelButton(const QWidget* widget);

} // namespace ndlemo
