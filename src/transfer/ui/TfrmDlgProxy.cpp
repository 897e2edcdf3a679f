#include "transfer/ui/TfrmDlgProxy.h"

#include "support/Utilities.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/ui/DialogParts.h"
#include "transfer/ui/DialogPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

TfrmDlgProxy::TfrmDlgProxy(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent)
    : QDialog(parent), m_Settings(settings), m_ProgramDir(std::move(programDir)) {
    setObjectName("frmDlgProxy");
    setWindowTitle(QString::fromUtf8("Nastavení proxy"));

    chbProxy = new QCheckBox(QString::fromUtf8("přes proxy"), this);
    chbProxy->setObjectName("chbProxy");
    cedtProxy = new TDaxEdit("cedtProxy", this);
    cedtProxy->SetDisplayName("Proxy");
    lblProxy = NewBuddyLabel("lblProxy", "Proxy", cedtProxy, this);
    cedtUserName = new TDaxEdit("cedtUserName", this);
    cedtUserName->SetDisplayName("Uživatel");
    lblUserName = NewBuddyLabel("lblUserName", "Uživatel", cedtUserName, this);
    cedtPassword = new QLineEdit(this);
    cedtPassword->setObjectName("cedtPassword");
    cedtPassword->setEchoMode(QLineEdit::Password);
    // An asterisk for every character, whatever the style's own password character is.
    cedtPassword->setStyleSheet("lineedit-password-character: 42;");
    lblPassword = NewBuddyLabel("lblPassword", "Heslo", cedtPassword, this);

    NewOkCancelButtons(this, bbtnOK, bbtnCancel);

    auto* grid = new QGridLayout;
    grid->addWidget(chbProxy, 0, 1);
    grid->addWidget(lblProxy, 1, 0);
    grid->addWidget(cedtProxy, 1, 1);
    grid->addWidget(lblUserName, 2, 0);
    grid->addWidget(cedtUserName, 2, 1);
    grid->addWidget(lblPassword, 3, 0);
    grid->addWidget(cedtPassword, 3, 1);
    cedtProxy->setMinimumWidth(220);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({}, {bbtnOK, bbtnCancel}));
    FixDialogBorder(*this);

    connect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgProxy::Fill() {
    chbProxy->setChecked(m_Settings.ProxyUse);
    cedtProxy->SetText(Trim(m_Settings.ProxyHost));
    cedtUserName->SetText(Trim(m_Settings.ProxyUser));
    cedtPassword->setText(QString::fromStdString(Trim(m_Settings.ProxyPassword)));
}

void TfrmDlgProxy::Commit() {
    SaveProxyIni(m_ProgramDir, chbProxy->isChecked(), Trim(cedtProxy->Text()));
    LoadProxyIni(m_ProgramDir, m_Settings);
    m_Settings.ProxyUser = Trim(cedtUserName->Text());
    m_Settings.ProxyPassword = Trim(cedtPassword->text().toStdString());
}

bool TfrmDlgProxy::Execute() {
    Fill();
    CentreOnScreen(*this);
    cedtProxy->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    Commit();
    return true;
}

} // namespace ndlemo
