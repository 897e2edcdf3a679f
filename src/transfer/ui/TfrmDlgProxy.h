#pragma once

#include "transfer/TransferSettings.h"

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QLabel;
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

    // Shows the dialog modally, filled from the settings. After OK saves the flag and the proxy, reads the
    // file back and takes the user and password into the settings; true then. Raises when the file
    // cannot be written.
    bool Execute();

private:
    void Fill();
    void Commit();

    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;

    QCheckBox* chbProxy;
    QLabel* lblProxy;
    TDaxEdit* cedtProxy;
    QLabel* lblUserName;
    TDaxEdit* cedtUserName;
    QLabel* lblPassword;
    QLineEdit* cedtPassword;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
};

} // namespace ndlemo
