#pragma once

#include "transfer/TransferSettings.h"

#include <QDialog>
#include <filesystem>

class QLabel;
class QPushButton;

namespace ndlemo {

class TDaxEdit;
class TfrmDlgProxy;

// "Nastavení pro Info Lemo": the address and file name of the information file, read-only until "Edit";
// "Proxy" opens the proxy dialog in either mode.
class TfrmDlgPrenosIniHttp : public QDialog {
    Q_OBJECT
public:
    // Without a proxy dialog of the caller's the dialog makes its own.
    TfrmDlgPrenosIniHttp(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent = nullptr,
                         TfrmDlgProxy* proxyDialog = nullptr);

    // Shows the dialog modally in view mode. After OK saves the two trimmed values to NdLemoPrenos.ini and
    // reads them back into the settings; true then. After "Zpět" nothing of them is written (the proxy
    // dialog saves on its own OK). Raises when the file cannot be written.
    bool Execute();

    [[nodiscard]] TfrmDlgProxy& ProxyDialog() const { return *m_ProxyDialog; }

private:
    void ViewMode();
    void EditMode();
    void OnOk();
    void OnProxy();

    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;
    TfrmDlgProxy* m_ProxyDialog;

    QLabel* lblHttpAdresa;
    TDaxEdit* cedtHttpAdresa;
    QLabel* lblHttpInfoFileName;
    TDaxEdit* cedtHttpInfoFileName;
    TDaxEdit* m_Edits[2];
    QPushButton* bbtnProxy;
    QPushButton* bbtnEdit;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
};

} // namespace ndlemo
