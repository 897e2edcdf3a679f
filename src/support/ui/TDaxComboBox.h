#pragma once

#include "support/ui/TDaxControl.h"

#include <QComboBox>
#include <string>

namespace ndlemo {

// The validated combo box (a drop-down list, or with an edit part when made editable). With ReadOnly the
// user cannot change the choice and the edit part does not take the focus; the program still changes it.
// Required means its text must not be empty (blanks count as content).
class TDaxComboBox : public QComboBox, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxComboBox(QWidget* parent = nullptr);
    TDaxComboBox(const QString& objectName, QWidget* parent);

    [[nodiscard]] bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool value);
    // The shown text as UTF-8. Setting a text of a drop-down list selects that item, or nothing when no
    // item reads so; an editable box shows any text.
    [[nodiscard]] std::string Text() const { return currentText().toStdString(); }
    void SetText(const std::string& value);

    [[nodiscard]] bool IsEmptyForRequired() const override { return currentText().isEmpty(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showPopup() override;

private:
    bool m_ReadOnly = false;
};

} // namespace ndlemo
