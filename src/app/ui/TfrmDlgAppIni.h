#pragma once

#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "app/AppSettings.h"
#endif
#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "support/ui/TSettingControls.h"
#endif
#include "support/ui/TSettingsDialog.h"

#include <QPointer>
#include <filesystem>
#include <functional>

class QAction;
class QPushButton;

namespace ndlemo {

class TDaxCheckBox;
class TDaxComboBox;

// "Nastavení programu": shows the application settings and, after "Edit", lets the user change them. OK checks
// the required fields, the interval and the settings rules, saves, and stays open while any of them fails.
class TfrmDlgAppIni : public TSettingsDialog {
    Q_OBJECT
public:
    // settings is the main window's copy, reloaded after a save; iniFile is where it lives.
    TfrmDlgAppIni(AppSettings& settings, std::filesystem::path iniFile, QWidget* parent = nullptr);

    // What "Přenos SCP" runs: the main window's action, or a handler (which wins when both are set).
    void SetScpAction(QAction* action) { m_ScpAction = action; }
    void SetScpHandler(std::function<void()> handler) { m_ScpHandler = std::move(handler); }

    // Shows the dialog modally. After OK in edit mode the values are saved; the settings are then reloaded
    // from the file and SettingsSaved is emitted (also when the reload fails, which raises); true then.
    bool Execute();

    // The fields' values, trimmed (the interval as 0 when it is no integer).
    [[nodiscard]] AppSettings DialogValues() const;

signals:
    // The settings were saved and reloaded: the status bar shows the workplace code and the transfer type.
    void SettingsSaved();

protected:
    void Fill() override;
    [[nodiscard]] bool Holds(TEditState state) const override;
    bool Accept() override;

private:
    void RunScp();

    AppSettings& m_Settings;
    std::filesystem::path m_IniFile;
    TSettingControls<AppSettings, TAppSettingRule> m_Controls;
    TDaxComboBox* m_TypPrenosu = nullptr;
    TDaxCheckBox* m_Generovat = nullptr;
    QPushButton* bbtnPrenosScp;
    QPointer<QAction> m_ScpAction;
    std::function<void()> m_ScpHandler;
};

} // namespace ndlemo
