#pragma once

#include "support/TSettingField.h"

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class QHBoxLayout;
class QPushButton;
class QShowEvent;

namespace ndlemo {

// The settings dialogs: every show fills the fields and opens in view mode (fields read-only, only "Edit"
// enabled); "Edit" gives each field its edit-mode state and enables "OK"; "OK" checks the required fields and
// then the dialog's own rules, and closes only when all pass; "Zpět" closes without a check.
class TSettingsDialog : public QDialog {
    Q_OBJECT
public:
    [[nodiscard]] bool EditMode() const { return m_EditMode; }

protected:
    TSettingsDialog(const char* objectName, const char* caption, QWidget* parent);

    // The buttons "Edit", "OK" and "Zpět" at the right of the row under the fields, `left` at its left.
    [[nodiscard]] QHBoxLayout* NewButtonRow(std::initializer_list<QPushButton*> left);
    // A field the modes switch, with its state in edit mode; in the order of the form.
    void AddField(QWidget* control, TEditState state);
    // Gives every field its edit-mode state; call again when a condition of a conditional state changes.
    void ApplyEditStates();

    // Fills the fields from the settings; runs on every show.
    virtual void Fill() = 0;
    // Whether the condition of a conditional state holds now.
    [[nodiscard]] virtual bool Holds(TEditState state) const;
    // The dialog's own checks on OK, after the required fields passed; true closes the dialog with OK. A
    // failure raised here is shown and keeps the dialog open.
    virtual bool Accept() = 0;

    // Runs a handler: a failure is shown as every failure is, never thrown into Qt's event loop.
    static void Guarded(const std::function<void()>& action);

    void showEvent(QShowEvent* event) override;

    QPushButton* bbtnEdit;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;

private:
    void EnterViewMode();
    void EnterEditMode();
    void OnOk();

    std::vector<std::pair<QWidget*, TEditState>> m_Fields;
    bool m_EditMode = false;
};

} // namespace ndlemo
