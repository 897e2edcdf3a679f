#pragma once

#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "support/ui/TSettingControls.h"
#endif
#include "support/ui/TSettingsDialog.h"
#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "transfer/TransferSettings.h"
#endif

#include <filesystem>

namespace ndlemo {

// "Nastavení přenosu SCP": shows the seven SCP settings read-only; "Edit" makes them editable, and "OK"
// accepts them only when they are filled in, the port is a whole number and every value is acceptable.
class TfrmDlgPrenosIni : public TSettingsDialog {
    Q_OBJECT
public:
    TfrmDlgPrenosIni(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent = nullptr);

    // Shows the dialog modally in view mode. OK saves the seven trimmed values to NdLemoPrenos.ini (a failed
    // write is shown and keeps the dialog open); the settings are then read back from the file; true then.
    // After "Zpět" nothing is written.
    bool Execute();

protected:
    void Fill() override;
    bool Accept() override;

private:
    TransferSettings& m_Settings;
    std::filesystem::path m_ProgramDir;
    TSettingControls<TransferSettings, TPrenosValue> m_Controls;
};

} // namespace ndlemo
