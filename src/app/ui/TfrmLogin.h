#pragma once

#include "app/PasswordRule.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ndlemo {

// The login at every start: the user's name (prefilled with the system user) and the workplace password.
// The password is asked afresh on every show and OK is possible only with some password typed.
class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);

    // Shows the dialog modally; the texts come back trimmed.
    TLoginResult Execute();

    // The texts as they stand, trimmed, with the way the dialog was closed.
    [[nodiscard]] TLoginResult Result() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_lblPrihl;
    QLineEdit* m_edtUziv;
    QLineEdit* m_edtHeslo;
    QPushButton* m_bbtOK;
    QPushButton* m_bbtCancel;
};

} // namespace ndlemo
