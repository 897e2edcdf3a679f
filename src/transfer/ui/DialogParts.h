#pragma once

#include <initializer_list>
#include <span>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace ndlemo {

class TDaxEdit;

// A label with a UTF-8 caption whose mnemonic focuses its buddy.
QLabel* NewBuddyLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent);
QPushButton* NewPushButton(const char* name, const char* caption, QWidget* parent);

// "OK", the default button, and "Zpět", which cancels without checking the edit being left.
void NewOkCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);

// The row under the fields: `left` from the left edge, `right` at the right edge.
QHBoxLayout* NewButtonRow(std::initializer_list<QPushButton*> left, std::initializer_list<QPushButton*> right);

// The settings dialogs open in view mode: the edits read-only, only "Edit" enabled. "Edit" makes the edits
// required, focuses the first one and leaves only "OK" enabled; it does nothing while it is disabled.
void EnterViewMode(std::span<TDaxEdit* const> edits, QPushButton* editButton, QPushButton* okButton);
void EnterEditMode(std::span<TDaxEdit* const> edits, QPushButton* editButton, QPushButton* okButton);

} // namespace ndlemo
