#pragma once

#include "app/AppSettings.h"

#include <QDialog>
#include <QPointer>
#include <filesystem>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QShowEvent;

namespace ndlemo {

class TDaxCheckBox;
class TDaxComboBox;
class TDaxEdit;

// "Nastavení programu": shows the application settings and, after "Edit", lets the user change them.
// OK checks the required fields, the interval and the settings rules and stays open while any fails.
class TfrmDlgAppIni : public QDialog {
    Q_OBJECT
public:
    // settings is the main window's copy, reloaded after a save; iniFile is where it lives.
    TfrmDlgAppIni(AppSettings& settings, std::filesystem::path iniFile, QWidget* parent = nullptr);

    // What "Přenos SCP" runs: the main window's action, or a handler (which wins when both are set).
    void SetScpAction(QAction* action) { m_ScpAction = action; }
    void SetScpHandler(std::function<void()> handler) { m_ScpHandler = std::move(handler); }

    // Shows the dialog modally. After OK in edit mode saves the values, reloads the settings from the file
    // and emits SettingsSaved (also when the reload fails); true then. A failing save raises.
    bool Execute();

    [[nodiscard]] bool EditMode() const { return m_EditMode; }
    // The fields' values, trimmed (the interval as 0 when it is no integer).
    [[nodiscard]] AppSettings DialogValues() const;

    TDaxEdit* cedtPracoviste;
    TDaxEdit* cedtDirDavky;
    TDaxEdit* cedtDirOdeslane;
    TDaxEdit* cedtIntSplatnosti;
    TDaxEdit* cedtDefaultICZ;
    TDaxEdit* cedtDefaultICO;
    TDaxEdit* cedtDefaultCisloUctu;
    TDaxEdit* cedtDefaultKodBanky;
    TDaxEdit* cedtAdresaUploadLemo;
    TDaxEdit* cedtDirUploadLemo;
    TDaxComboBox* ccbTypPrenosu;
    TDaxCheckBox* cchbDefaultGenerFak;
    TDaxEdit* cedtDefaultDodavatelNazev;
    TDaxEdit* cedtDefaultDodavatelUlice;
    TDaxEdit* cedtDefaultDodavatelPsc;
    TDaxEdit* cedtDefaultDodavatelObec;
    TDaxEdit* cedtDefaultOdberatelNazev;
    TDaxEdit* cedtDefaultOdberatelUlice;
    TDaxEdit* cedtDefaultOdberatelPsc;
    TDaxEdit* cedtDefaultOdberatelObec;
    TDaxEdit* cedtDefaultOdberatelICO;

    QPushButton* bbtnEdit;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
    QPushButton* bbtnPrenosScp;

signals:
    // The settings were saved and reloaded: the status bar shows the workplace code and the transfer type.
    void SettingsSaved();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillFields();
    void EnterViewMode();
    void EnterEditMode();
    void ApplyUploadStates();
    void ApplyInvoiceStates();
    void OkClicked();
    void RunScp();
    // Errors must not leave a slot; they are shown like every other failure.
    static void Guarded(const std::function<void()>& action);

    AppSettings& m_Settings;
    std::filesystem::path m_IniFile;
    bool m_EditMode = false;
    QPointer<QAction> m_ScpAction;
    std::function<void()> m_ScpHandler;
};

} // namespace ndlemo
