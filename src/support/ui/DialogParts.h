#pragma once

#include "support/TSettingRow.h"

#include <initializer_list>
#include <span>
#include <string_view>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ndlemo {

class TDaxCheckBox;
class TDaxComboBox;
class TDaxEdit;

// A label with a UTF-8 caption whose mnemonic focuses its buddy.
QLabel* NewBuddyLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent);
// A bold caption over a group of fields.
QLabel* NewHeading(const char* name, const char* caption, QWidget* parent);
QPushButton* NewPushButton(const char* name, const char* caption, QWidget* parent);
// A plain edit that shows "*" for every character, whatever the style's own password character is.
QLineEdit* NewPasswordEdit(const char* name, QWidget* parent);

// "OK", the default button, and "Zpět", which cancels without checking the edit being left.
void NewOkCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);

// The row under the fields: `left` from the left edge, `right` at the right edge.
QHBoxLayout* NewButtonRow(std::initializer_list<QPushButton*> left, std::initializer_list<QPushButton*> right);

// The control of a setting, made from its field: a validated edit with the field's limit, filter and name,
// a drop-down list of codes, or a check box captioned with the field's caption.
TDaxEdit* NewSettingEdit(const TSettingField& field, QWidget* parent);
TDaxComboBox* NewSettingCodeList(const TSettingField& field, std::span<const std::string_view> codes, QWidget* parent);
TDaxCheckBox* NewSettingCheckBox(const TSettingField& field, QWidget* parent);

// Puts the control on the next row of the grid, with a buddy label of the field's caption before it (a check
// box carries its own caption). The label is named after the control: "lbl" and the control's name without
// its type prefix ("cedtNetHost" -> "lblNetHost").
void AddFieldRow(QGridLayout& grid, QWidget* control, const TSettingField& field);

} // namespace ndlemo
