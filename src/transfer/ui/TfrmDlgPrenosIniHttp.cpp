#include "transfer/ui/TfrmDlgPrenosIniHttp.h"

#include "support/EAbort.h"
#include "support/TMessageBoxes.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/ui/DialogPlacement.h"
#include "transfer/ui/TfrmDlgProxy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

TfrmDlgPrenosIniHttp::TfrmDlgPrenosIniHttp(TransferSettings& settings, std::filesystem::path programDir,
                                           QWidget* parent, TfrmDlgProxy* proxyDialog)
    : QDialog(parent), m_Settings(settings), m_ProgramDir(std::move(programDir)), m_ProxyDialog(proxyDialog) {
    setObjectName("frmDlgPrenosIniHttp");
    setWindowTitle(QString::fromUtf8("Nastavení pro Info Lemo "));
    if (!m_ProxyDialog)
        m_ProxyDialog = new TfrmDlgProxy(m_Settings, m_ProgramDir, this);

    cedtHttpAdresa = new TDaxEdit("cedtHttpAdresa", this);
    cedtHttpAdresa->SetDisplayName("Http adresa");
    cedtHttpAdresa->setMinimumWidth(300);
    lblHttpAdresa = new QLabel(QString::fromUtf8("Http adresa"), this);
    lblHttpAdresa->setObjectName("lblHttpAdresa");
    lblHttpAdresa->setBuddy(cedtHttpAdresa);
    cedtHttpInfoFileName = new TDaxEdit("cedtHttpInfoFileName", this);
    cedtHttpInfoFileName->SetDisplayName("Http jméno souboru");
    lblHttpInfoFileName = new QLabel(QString::fromUtf8("Http jméno souboru "), this);
    lblHttpInfoFileName->setObjectName("lblHttpInfoFileName");
    lblHttpInfoFileName->setBuddy(cedtHttpInfoFileName);

    bbtnProxy = new QPushButton(QString::fromUtf8("Proxy"), this);
    bbtnProxy->setObjectName("bbtnProxy");
    bbtnEdit = new QPushButton(QString::fromUtf8("Edit"), this);
    bbtnEdit->setObjectName("bbtnEdit");
    bbtnOK = new QPushButton(QString::fromUtf8("OK"), this);
    bbtnOK->setObjectName("bbtnOK");
    bbtnOK->setDefault(true);
    bbtnCancel = new QPushButton(QString::fromUtf8("Zpět"), this);
    bbtnCancel->setObjectName("bbtnCancel");
    MarkCancelButton(bbtnCancel);

    auto* grid = new QGridLayout;
    grid->addWidget(lblHttpAdresa, 0, 0);
    grid->addWidget(cedtHttpAdresa, 0, 1);
    grid->addWidget(lblHttpInfoFileName, 1, 0);
    grid->addWidget(cedtHttpInfoFileName, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbtnProxy);
    buttons->addWidget(bbtnEdit);
    buttons->addStretch();
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
    FixDialogBorder(*this);

    connect(bbtnProxy, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::OnProxy);
    connect(bbtnEdit, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::EditMode);
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::OnOk);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgPrenosIniHttp::ViewMode() {
    SetControlState(cedtHttpAdresa, ctReadOnly);
    SetControlState(cedtHttpInfoFileName, ctReadOnly);
    bbtnEdit->setEnabled(true);
    bbtnOK->setEnabled(false);
}

void TfrmDlgPrenosIniHttp::EditMode() {
    if (!bbtnEdit->isEnabled())
        return;
    SetControlState(cedtHttpAdresa, ctRequired);
    SetControlState(cedtHttpInfoFileName, ctRequired);
    cedtHttpAdresa->setFocus();
    bbtnEdit->setEnabled(false);
    bbtnOK->setEnabled(true);
}

void TfrmDlgPrenosIniHttp::OnOk() {
    if (bbtnOK->isEnabled() && ValidateRequired(this))
        accept();
}

void TfrmDlgPrenosIniHttp::OnProxy() {
    // Runs inside the event loop: a failure to write the proxy file is shown here, not thrown through Qt.
    try {
        m_ProxyDialog->Execute();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

bool TfrmDlgPrenosIniHttp::Execute() {
    cedtHttpAdresa->SetText(m_Settings.HttpAdresa);
    cedtHttpInfoFileName->SetText(m_Settings.HttpInfoFileName);
    ViewMode();
    CentreOnScreen(*this);
    bbtnEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    SaveHttpIni(m_ProgramDir, Trim(cedtHttpAdresa->Text()), Trim(cedtHttpInfoFileName->Text()));
    LoadHttpIni(m_ProgramDir, m_Settings);
    return true;
}

} // namespace ndlemo
