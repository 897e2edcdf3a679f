#include "support/ui/TSettingsDialog.h"

#include "support/TMessageBoxes.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>

namespace ndlemo {

TSettingsDialog::TSettingsDialog(const char* objectName, const char* caption, QWidget* parent) : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    bbtnEdit = NewPushButton("bbtnEdit", "Edit", this);
    NewOkCancelButtons(this, bbtnOK, bbtnCancel);
    connect(bbtnEdit, &QPushButton::clicked, this, [this] { Guarded([this] { EnterEditMode(); }); });
    connect(bbtnOK, &QPushButton::clicked, this, [this] { Guarded([this] { OnOk(); }); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QHBoxLayout* TSettingsDialog::NewButtonRow(std::initializer_list<QPushButton*> left) {
    return ndlemo::NewButtonRow(left, {bbtnEdit, bbtnOK, bbtnCancel});
}

void TSettingsDialog::AddField(QWidget* control, TEditState state) {
    m_Fields.emplace_back(control, state);
}

void TSettingsDialog::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

bool TSettingsDialog::Holds(TEditState) const {
    return false;
}

void TSettingsDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        Guarded([this] { Fill(); });
        EnterViewMode();
    }
    QDialog::showEvent(event);
}

void TSettingsDialog::EnterViewMode() {
    m_EditMode = false;
    for (const auto& [control, state] : m_Fields)
        SetControlState(control, TCompType::ReadOnly);
    bbtnEdit->setEnabled(true);
    bbtnOK->setEnabled(false);
}

void TSettingsDialog::EnterEditMode() {
    if (m_EditMode)
        return;
    m_EditMode = true;
    ApplyEditStates();
    bbtnEdit->setEnabled(false);
    bbtnOK->setEnabled(true);
    if (!m_Fields.empty())
        m_Fields.front().first->setFocus(Qt::OtherFocusReason);
}

void TSettingsDialog::ApplyEditStates() {
    if (!m_EditMode)
        return;
    for (const auto& [control, state] : m_Fields) {
        const bool required =
            state == TEditState::Required ||
            ((state == TEditState::RequiredForUpload || state == TEditState::RequiredForInvoice) && Holds(state));
        SetControlState(control, required ? TCompType::Required : TCompType::Editable);
    }
}

void TSettingsDialog::OnOk() {
    if (!m_EditMode || !ValidateRequired(this))
        return;
    if (Accept())
        accept();
}

} // namespace ndlemo
