#include "transfer/ui/TfrmDlgPrenosIniHttp.h"

#include "support/EAbort.h"
#include "support/TMessageBoxes.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/ui/DialogParts.h"
#include "transfer/ui/DialogPlacement.h"
#include "transfer/ui/TfrmDlgProxy.h"

#include <QGridLayout>
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
    lblHttpAdresa = NewBuddyLabel("lblHttpAdresa", "Http adresa", cedtHttpAdresa, this);
    cedtHttpInfoFileName = new TDaxEdit("cedtHttpInfoFileName", this);
    cedtHttpInfoFileName->SetDisplayName("Http jméno souboru");
    lblHttpInfoFileName = NewBuddyLabel("lblHttpInfoFileName", "Http jméno souboru ", cedtHttpInfoFileName, this);
    m_Edits[0] = cedtHttpAdresa;
    m_Edits[1] = cedtHttpInfoFileName;

    bbtnProxy = NewPushButton("bbtnProxy", "Proxy", this);
    bbtnEdit = NewPushButton("bbtnEdit", "Edit", this);
    NewOkCancelButtons(this, bbtnOK, bbtnCancel);

    auto* grid = new QGridLayout;
    grid->addWidget(lblHttpAdresa, 0, 0);
    grid->addWidget(cedtHttpAdresa, 0, 1);
    grid->addWidget(lblHttpInfoFileName, 1, 0);
    grid->addWidget(cedtHttpInfoFileName, 1, 1);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({bbtnProxy, bbtnEdit}, {bbtnOK, bbtnCancel}));
    FixDialogBorder(*this);

    connect(bbtnProxy, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::OnProxy);
    connect(bbtnEdit, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::EditMode);
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmDlgPrenosIniHttp::OnOk);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgPrenosIniHttp::ViewMode() {
    EnterViewMode(m_Edits, bbtnEdit, bbtnOK);
}

void TfrmDlgPrenosIniHttp::EditMode() {
    EnterEditMode(m_Edits, bbtnEdit, bbtnOK);
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
