#pragma once

#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "support/ui/TSettingControls.h"
#endif
#include "support/ui/TSettingsDialog.h"
#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "transfer/TransferSettings.h"
#endif

#include <filesystem>

class QPushButton;

namespace ndlemo {

class TfrmDlgProxy;

// "Nastavení pro Info Lemo": the address and file name of the information file, read-only until "Edit";
// "Proxy" opens the proxy dialog in either mode.
class TfrmDlgPrenosIniHttp : public TSettingsDialog {
    Q_OBJECT
public:
    // Without a proxy dialog of the caller's the dialog makes its own.
    TfrmDlgPrenosIniHttp(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent = nullptr,
                         TfrmDlgProxy* proxyDialog = nullptr);

    // Shows the dialog modally in view mode. OK saves the two trimmed values to NdLemoPrenos.ini (a failed
    // write is shown and keeps the dialog open); they are then read back into the settings; true then.
    // After "Zpět" nothing of them is written (the proxy dialog saves on its own OK).
    bool Execute();

    [[nodiscard]] TfrmDlgProxy& ProxyDialog() const { return *m_ProxyDialog; }

protected:
    void Fill() override;
    bool Accept() override;

private:
    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;
    TfrmDlgProxy* m_ProxyDialog;
    TSettingControls<TransferSettings, TPrenosValue> m_Controls;
    QPushButton* bbtnProxy;
};

} // namespace ndlemo
