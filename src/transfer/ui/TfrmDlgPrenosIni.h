#pragma once

#include "transfer/TransferSettings.h"

#include <QDialog>
#include <filesystem>

class QLabel;
class QPushButton;

namespace ndlemo {

class TDaxEdit;

// "Nastavení přenosu SCP": shows the seven SCP settings read-only; "Edit" makes them editable, and "OK"
// accepts them only when they are filled in, the port is a whole number and no value holds a blank.
class TfrmDlgPrenosIni : public QDialog {
    Q_OBJECT
public:
    TfrmDlgPrenosIni(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent = nullptr);

    // Shows the dialog modally in view mode. After OK saves the seven trimmed values to NdLemoPrenos.ini and
    // reads them back into the settings; true then. After "Zpět" nothing is written. Raises when the file
    // cannot be written.
    bool Execute();

private:
    void ViewMode();
    void EditMode();
    void OnOk();
    // The seven edit texts, trimmed, in the order of the settings.
    void TrimmedTexts(std::string (&values)[7]) const;

    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;

    QLabel* lblNadpis;
    QLabel* lblNetHost;
    TDaxEdit* cedtNetHost;
    QLabel* lblNetPort;
    TDaxEdit* cedtNetPort;
    QLabel* lblNetDir;
    TDaxEdit* cedtNetDir;
    QLabel* lblNetUser;
    TDaxEdit* cedtNetUser;
    QLabel* lblNetPkf;
    TDaxEdit* cedtNetPkf;
    QLabel* lblTestSpojDir;
    TDaxEdit* cedtTestSpojDir;
    QLabel* lblTestSpojFileName;
    TDaxEdit* cedtTestSpojFileName;
    TDaxEdit* m_Edits[7];
    QPushButton* bbtnEdit;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
};

} // namespace ndlemo
