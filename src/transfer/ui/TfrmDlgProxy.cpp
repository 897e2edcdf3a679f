#include "transfer/ui/TfrmDlgProxy.h"

#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"
#include "support/ui/DialogParts.h"
#include "support/ui/DialogPlacement.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

TfrmDlgProxy::TfrmDlgProxy(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent)
    : QDialog(parent), m_Settings(settings), m_ProgramDir(std::move(programDir)) {
    setObjectName("frmDlgProxy");
    setWindowTitle(QString::fromUtf8("Nastavení proxy"));

    auto* grid = new QGridLayout;
    for (const TTransferSettingRow& row : ProxySettingRows())
        m_Controls.Add(row, *grid, this);
    findChild<TDaxEdit*>("cedtProxy")->setMinimumWidth(220);

    // The credentials are no settings of a file: they live in memory for the run.
    cedtUserName = new TDaxEdit("cedtUserName", this);
    cedtUserName->SetDisplayName("Uživatel");
    AddFieldRow(*grid, cedtUserName, {"cedtUserName", "Uživatel"});
    cedtPassword = NewPasswordEdit("cedtPassword", this);
    AddFieldRow(*grid, cedtPassword, {"cedtPassword", "Heslo"});

    NewOkCancelButtons(this, bbtnOK, bbtnCancel);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({}, {bbtnOK, bbtnCancel}));
    FixDialogBorder(*this);

    connect(bbtnOK, &QPushButton::clicked, this, [this] {
        try {
            OnOk();
        } catch (const std::exception& e) {
            ShowError(e);
        }
    });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgProxy::OnOk() {
    TransferSettings values = m_Settings;
    m_Controls.Read(values);
    TRequestList requests;
    ValidateStorableTexts(ProxySettingRows(), values, requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return;
    }
    SaveProxyIni(m_ProgramDir, values);
    accept();
}

bool TfrmDlgProxy::Execute() {
    m_Controls.Fill(m_Settings);
    cedtUserName->SetText(TrimWhitespace(m_Settings.ProxyUser));
    cedtPassword->setText(QString::fromStdString(TrimWhitespace(m_Settings.ProxyPassword)));
    CentreOnScreen(*this);
    findChild<TDaxEdit*>("cedtProxy")->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    LoadProxyIni(m_ProgramDir, m_Settings);
    m_Settings.ProxyUser = TrimWhitespace(cedtUserName->Text());
    m_Settings.ProxyPassword = TrimWhitespace(cedtPassword->text().toStdString());
    return true;
}

} // namespace ndlemo
