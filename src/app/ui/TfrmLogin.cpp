#include "app/ui/TfrmLogin.h"

#include "support/TextRules.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
// The login's fields are always required.
QLineEdit* Required(QLineEdit* edit) {
    SetFieldColor(edit, RequiredColor());
    return edit;
}
} // namespace

TfrmLogin::TfrmLogin(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLogin");
    setWindowTitle("ND LEMO");

    m_lblPrihl = NewHeading("lblPrihl", "Přihlášení do aplikace", this);
    QPalette blue = m_lblPrihl->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_lblPrihl->setPalette(blue);

    auto* edtUziv = new QLineEdit(this);
    edtUziv->setObjectName("edtUziv");
    m_edtUziv = Required(edtUziv);
    QLabel* lblUziv = NewBuddyLabel("lblUziv", "Uživatel:", m_edtUziv, this);
    m_edtHeslo = Required(NewPasswordEdit("edtHeslo", this));
    QLabel* lblHeslo = NewBuddyLabel("lblHeslo", "Heslo:", m_edtHeslo, this);

    m_bbtOK = NewPushButton("bbtOK", "OK", this);
    m_bbtOK->setDefault(true);
    m_bbtCancel = NewPushButton("bbtCancel", "Zpět", this);
    MarkCancelButton(m_bbtCancel);

    auto* fields = new QGridLayout;
    fields->addWidget(lblUziv, 0, 0);
    fields->addWidget(m_edtUziv, 0, 1);
    fields->addWidget(lblHeslo, 1, 0);
    fields->addWidget(m_edtHeslo, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblPrihl);
    layout->addLayout(fields);
    layout->addLayout(NewButtonRow({}, {m_bbtOK, m_bbtCancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_bbtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_bbtCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A single blank is enough to enable OK; emptiness after trimming ends the start instead.
    connect(m_edtHeslo, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_bbtOK->setEnabled(!text.isEmpty()); });

    m_edtUziv->setText(QString::fromStdString(GetWindowsUserName()));
    m_bbtOK->setEnabled(false);
}

void TfrmLogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_edtHeslo->clear();
    m_bbtOK->setEnabled(false);
    m_edtHeslo->setFocus(Qt::OtherFocusReason);
}

TLoginResult TfrmLogin::Result() const {
    return {result() == QDialog::Accepted, TrimWhitespace(m_edtUziv->text().toStdString()),
            TrimWhitespace(m_edtHeslo->text().toStdString())};
}

TLoginResult TfrmLogin::Execute() {
    exec();
    TLoginResult login = Result();
    m_edtHeslo->clear();
    return login;
}

} // namespace ndlemo
