#include "transfer/ui/TfrmDlgPrenosIni.h"

#include "support/FormatText.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"
#include "support/ui/DialogParts.h"
#include "support/ui/DialogPlacement.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

TfrmDlgPrenosIni::TfrmDlgPrenosIni(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent)
    : TSettingsDialog("frmDlgPrenosIni", "Nastavení přenosu SCP", parent), m_Settings(settings),
      m_ProgramDir(std::move(programDir)) {
    auto* grid = new QGridLayout;
    // Created in the order of the form check, which reports the first empty edit.
    for (const TTransferSettingRow& row : PrenosSettingRows())
        AddField(m_Controls.Add(row, *grid, this), row.Field.EditState);
    findChild<TDaxEdit*>("cedtNetHost")->setMinimumWidth(260);

    auto* main = new QVBoxLayout(this);
    main->addWidget(NewHeading("lblNadpis", "Přenos SCP", this));
    main->addLayout(grid);
    main->addLayout(NewButtonRow({}));
    FixDialogBorder(*this);
}

void TfrmDlgPrenosIni::Fill() {
    m_Controls.Fill(m_Settings);
}

bool TfrmDlgPrenosIni::Accept() {
    auto* port = findChild<TDaxEdit*>("cedtNetPort");
    int32_t number = 0;
    if (!TryStrToInt(TrimWhitespace(port->Text()), number)) {
        port->setFocus();
        ShowErrorMessage(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", port->Text(), "Port"));
        return false;
    }
    TransferSettings values = m_Settings;
    m_Controls.Read(values);
    TRequestList requests;
    ValidatePrenosSettings(values, requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return false;
    }
    // Saved before the dialog closes, so that a failed write leaves the user's entries in place.
    SavePrenosIni(m_ProgramDir, values);
    return true;
}

bool TfrmDlgPrenosIni::Execute() {
    CentreOnScreen(*this);
    bbtnEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    LoadPrenosIni(m_ProgramDir, m_Settings);
    return true;
}

} // namespace ndlemo
