#include "transfer/ui/TfrmDlgPrenosIniHttp.h"

#include "support/TRequestList.h"
#include "support/ui/DialogParts.h"
#include "support/ui/DialogPlacement.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/ui/TfrmDlgProxy.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

TfrmDlgPrenosIniHttp::TfrmDlgPrenosIniHttp(TransferSettings& settings, std::filesystem::path programDir,
                                           QWidget* parent, TfrmDlgProxy* proxyDialog)
    : TSettingsDialog("frmDlgPrenosIniHttp", "Nastavení pro Info Lemo ", parent), m_Settings(settings),
      m_ProgramDir(std::move(programDir)), m_ProxyDialog(proxyDialog) {
    if (!m_ProxyDialog)
        m_ProxyDialog = new TfrmDlgProxy(m_Settings, m_ProgramDir, this);

    auto* grid = new QGridLayout;
    for (const TTransferSettingRow& row : HttpSettingRows())
        AddField(m_Controls.Add(row, *grid, this), row.Field.EditState);
    findChild<TDaxEdit*>("cedtHttpAdresa")->setMinimumWidth(300);

    bbtnProxy = NewPushButton("bbtnProxy", "Proxy", this);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({bbtnProxy}));
    FixDialogBorder(*this);

    connect(bbtnProxy, &QPushButton::clicked, this, [this] { Guarded([this] { m_ProxyDialog->Execute(); }); });
}

void TfrmDlgPrenosIniHttp::Fill() {
    m_Controls.Fill(m_Settings);
}

bool TfrmDlgPrenosIniHttp::Accept() {
    TransferSettings values = m_Settings;
    m_Controls.Read(values);
    TRequestList requests;
    ValidateStorableTexts(HttpSettingRows(), values, requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return false;
    }
    SaveHttpIni(m_ProgramDir, values);
    return true;
}

bool TfrmDlgPrenosIniHttp::Execute() {
    CentreOnScreen(*this);
    bbtnEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    LoadHttpIni(m_ProgramDir, m_Settings);
    return true;
}

} // namespace ndlemo
