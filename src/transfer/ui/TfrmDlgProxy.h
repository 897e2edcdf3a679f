#pragma once

#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "support/ui/TSettingControls.h"
#endif
#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "transfer/TransferSettings.h"
#endif

#include <QDialog>
#include <filesystem>

class QLineEdit;
class QPushButton;

namespace ndlemo {

class TDaxEdit;

// "Nastavení proxy": whether the information file is fetched through a proxy, the proxy, and the proxy
// user and password. The flag and the proxy go to NdLemoProxy.ini; the user and password stay in memory.
class TfrmDlgProxy : public QDialog {
    Q_OBJECT
public:
    TfrmDlgProxy(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent = nullptr);

    // Shows the dialog modally, filled from the settings. OK saves the flag and the proxy (a failed write is
    // shown and keeps the dialog open); the file is then read back and the user and password taken into the
    // settings; true then.
    bool Execute();

private:
    void OnOk();

    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;
    TSettingControls<TransferSettings, TPrenosValue> m_Controls;
    TDaxEdit* cedtUserName;
    QLineEdit* cedtPassword;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
};

} // namespace ndlemo
