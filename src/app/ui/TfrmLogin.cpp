#include "app/ui/TfrmLogin.h"

#include "support/TextRules.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
// Masks the password with "*" whatever the platform style would use.
class TStarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLabel* NewLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* NewEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    SetFieldColor(edit, RequiredColor());
    return edit;
}
} // namespace

TfrmLogin::TfrmLogin(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLogin");
    setWindowTitle("ND LEMO");

    m_lblPrihl = NewLabel("lblPrihl", "Přihlášení do aplikace", this);
    QFont bold = m_lblPrihl->font();
    bold.setBold(true);
    m_lblPrihl->setFont(bold);
    QPalette blue = m_lblPrihl->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_lblPrihl->setPalette(blue);

    QLabel* lblUziv = NewLabel("lblUziv", "Uživatel:", this);
    m_edtUziv = NewEdit("edtUziv", this);
    QLabel* lblHeslo = NewLabel("lblHeslo", "Heslo:", this);
    m_edtHeslo = NewEdit("edtHeslo", this);
    m_edtHeslo->setEchoMode(QLineEdit::Password);
    auto* starStyle = new TStarPasswordStyle;
    starStyle->setParent(m_edtHeslo);
    m_edtHeslo->setStyle(starStyle);
    lblUziv->setBuddy(m_edtUziv);
    lblHeslo->setBuddy(m_edtHeslo);

    m_bbtOK = new QPushButton("OK", this);
    m_bbtOK->setObjectName("bbtOK");
    m_bbtOK->setDefault(true);
    m_bbtCancel = new QPushButton("Zpět", this);
    m_bbtCancel->setObjectName("bbtCancel");
    m_bbtCancel->setAutoDefault(false);
    MarkCancelButton(m_bbtCancel);

    auto* fields = new QGridLayout;
    fields->addWidget(lblUziv, 0, 0);
    fields->addWidget(m_edtUziv, 0, 1);
    fields->addWidget(lblHeslo, 1, 0);
    fields->addWidget(m_edtHeslo, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bbtOK);
    buttons->addWidget(m_bbtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblPrihl);
    layout->addLayout(fields);
    layout->addLayout(buttons);
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
