#include "transfer/ui/TfrmDlgPrenosIni.h"

#include "support/FormatText.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/ui/DialogParts.h"
#include "transfer/ui/DialogPlacement.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>

namespace ndlemo {

namespace {
// A whole number that fits 32 bits, with an optional sign.
bool IsInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    int32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}
} // namespace

TfrmDlgPrenosIni::TfrmDlgPrenosIni(TransferSettings& settings, std::filesystem::path programDir, QWidget* parent)
    : QDialog(parent), m_Settings(settings), m_ProgramDir(std::move(programDir)) {
    setObjectName("frmDlgPrenosIni");
    setWindowTitle(QString::fromUtf8("Nastavení přenosu SCP"));

    lblNadpis = new QLabel(QString::fromUtf8("Přenos SCP"), this);
    lblNadpis->setObjectName("lblNadpis");
    QFont bold = lblNadpis->font();
    bold.setBold(true);
    lblNadpis->setFont(bold);

    auto* grid = new QGridLayout;
    int row = 0;
    // Created in the order of the form check, which reports the first empty edit.
    auto addRow = [&](QLabel*& label, const char* labelName, const char* caption, TDaxEdit*& edit,
                      const char* editName) {
        edit = new TDaxEdit(editName, this);
        edit->SetDisplayName(Trim(caption));
        label = NewBuddyLabel(labelName, caption, edit, this);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        m_Edits[row] = edit;
        ++row;
    };
    addRow(lblNetHost, "lblNetHost", "Host", cedtNetHost, "cedtNetHost");
    addRow(lblNetPort, "lblNetPort", "Port", cedtNetPort, "cedtNetPort");
    addRow(lblNetDir, "lblNetDir", "Vzdálený adresář", cedtNetDir, "cedtNetDir");
    addRow(lblNetUser, "lblNetUser", "Uživatel", cedtNetUser, "cedtNetUser");
    addRow(lblNetPkf, "lblNetPkf", "Jméno souboru priv. klíče", cedtNetPkf, "cedtNetPkf");
    addRow(lblTestSpojDir, "lblTestSpojDir", "Adresář testu spojení ", cedtTestSpojDir, "cedtTestSpojDir");
    addRow(lblTestSpojFileName, "lblTestSpojFileName", "Jméno souboru testu spoj.", cedtTestSpojFileName,
           "cedtTestSpojFileName");
    cedtNetHost->setMinimumWidth(260);
    cedtNetPort->SetMaxLength(8);
    cedtNetPort->SetAllowedChars("0123456789");

    bbtnEdit = NewPushButton("bbtnEdit", "Edit", this);
    NewOkCancelButtons(this, bbtnOK, bbtnCancel);

    auto* main = new QVBoxLayout(this);
    main->addWidget(lblNadpis);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({bbtnEdit}, {bbtnOK, bbtnCancel}));
    FixDialogBorder(*this);

    connect(bbtnEdit, &QPushButton::clicked, this, &TfrmDlgPrenosIni::EditMode);
    connect(bbtnOK, &QPushButton::clicked, this, &TfrmDlgPrenosIni::OnOk);
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgPrenosIni::ViewMode() {
    EnterViewMode(m_Edits, bbtnEdit, bbtnOK);
}

void TfrmDlgPrenosIni::EditMode() {
    EnterEditMode(m_Edits, bbtnEdit, bbtnOK);
}

void TfrmDlgPrenosIni::TrimmedTexts(std::string (&values)[7]) const {
    for (int i = 0; i < 7; ++i)
        values[i] = Trim(m_Edits[i]->Text());
}

void TfrmDlgPrenosIni::OnOk() {
    if (!bbtnOK->isEnabled() || !ValidateRequired(this))
        return;
    if (!IsInteger(Trim(cedtNetPort->Text()))) {
        cedtNetPort->setFocus();
        ShowErrorMessage(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", cedtNetPort->Text(), "Port"));
        return;
    }
    std::string v[7];
    TrimmedTexts(v);
    TRequestList requests;
    ValidatePrenosSettings(v[0], v[1], v[2], v[3], v[4], v[5], v[6], requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return;
    }
    accept();
}

bool TfrmDlgPrenosIni::Execute() {
    cedtNetHost->SetText(m_Settings.Host);
    cedtNetPort->SetText(m_Settings.Port);
    cedtNetDir->SetText(m_Settings.OutDir);
    cedtNetUser->SetText(m_Settings.User);
    cedtNetPkf->SetText(m_Settings.Pkf);
    cedtTestSpojDir->SetText(m_Settings.TestSpojDir);
    cedtTestSpojFileName->SetText(m_Settings.TestSpojFileName);
    ViewMode();
    CentreOnScreen(*this);
    bbtnEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    std::string v[7];
    TrimmedTexts(v);
    SavePrenosIni(m_ProgramDir, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    LoadPrenosIni(m_ProgramDir, m_Settings);
    return true;
}

} // namespace ndlemo
