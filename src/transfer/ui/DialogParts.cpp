#include "transfer/ui/DialogParts.h"

#include "support/ui/ControlState.h"
#include "support/ui/TDaxEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace ndlemo {

QLabel* NewBuddyLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QPushButton* NewPushButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

void NewOkCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
    ok = NewPushButton("bbtnOK", "OK", parent);
    ok->setDefault(true);
    cancel = NewPushButton("bbtnCancel", "Zpět", parent);
    MarkCancelButton(cancel);
}

QHBoxLayout* NewButtonRow(std::initializer_list<QPushButton*> left, std::initializer_list<QPushButton*> right) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : left)
        row->addWidget(button);
    row->addStretch();
    for (QPushButton* button : right)
        row->addWidget(button);
    return row;
}

void EnterViewMode(std::span<TDaxEdit* const> edits, QPushButton* editButton, QPushButton* okButton) {
    for (TDaxEdit* edit : edits)
        SetControlState(edit, ctReadOnly);
    editButton->setEnabled(true);
    okButton->setEnabled(false);
}

void EnterEditMode(std::span<TDaxEdit* const> edits, QPushButton* editButton, QPushButton* okButton) {
    if (!editButton->isEnabled())
        return;
    for (TDaxEdit* edit : edits)
        SetControlState(edit, ctRequired);
    if (!edits.empty())
        edits.front()->setFocus();
    editButton->setEnabled(false);
    okButton->setEnabled(true);
}

} // namespace ndlemo
