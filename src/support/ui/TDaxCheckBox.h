#pragma once

#include "support/ui/TDaxControl.h"

#include <QCheckBox>

namespace ndlemo {

// The validated check box. With ReadOnly the user's clicks leave the state as it is; the program still sets
// it through setChecked / setCheckState (Checked / State). Never reported by the required check.
class TDaxCheckBox : public QCheckBox, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxCheckBox(QWidget* parent = nullptr);
    TDaxCheckBox(const QString& objectName, const QString& caption, QWidget* parent);

    [[nodiscard]] bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool value) { m_ReadOnly = value; }
    [[nodiscard]] bool Checked() const { return isChecked(); }
    void SetChecked(bool value) { setChecked(value); }
    [[nodiscard]] Qt::CheckState State() const { return checkState(); }
    void SetState(Qt::CheckState state) { setCheckState(state); }

    [[nodiscard]] bool IsEmptyForRequired() const override { return false; }

protected:
    void nextCheckState() override;

private:
    bool m_ReadOnly = false;
};

} // namespace ndlemo
