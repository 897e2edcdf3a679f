#include "app/ui/TfrmDlgAppIni.h"

#include "support/FormatText.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"
#include "support/ui/DialogParts.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
// The form from top to bottom: keys of the settings and, between them, the headings of the groups.
struct TFormItem {
    const char* Key = nullptr;     // a setting, or nullptr for a heading
    const char* Heading = nullptr; // the heading's object name and caption
    const char* Caption = nullptr;
};

constexpr TFormItem Form[] = {
    {"Pracoviste"},
    {"DirDavky"},
    {"DirOdeslane"},
    {"IntSplatnosti"},
    {nullptr, "lblPrednastaveni", "Přednastavené hodnoty faktury"},
    {"DefaultICZ"},
    {"DefaultICO"},
    {"DefaultCisloUctu"},
    {"DefaultKodBanky"},
    {nullptr, "lblNastaveniPrenosu", "Nastavení přenosu"},
    {"Adresa"},
    {"OutDir"},
    {"TypPrenosu"},
    {"DefaultGenerovat"},
    {nullptr, "lblDodavatel", "Dodavatel"},
    {"DefaultDodNazev"},
    {"DefaultDodUlice"},
    {"DefaultDodPsc"},
    {"DefaultDodObec"},
    {nullptr, "lblOdberatel", "Odběratel"},
    {"DefaultOdbNazev"},
    {"DefaultOdbUlice"},
    {"DefaultOdbPsc"},
    {"DefaultOdbObec"},
    {"DefaultOdbICO"},
};
} // namespace

TfrmDlgAppIni::TfrmDlgAppIni(AppSettings& settings, std::filesystem::path iniFile, QWidget* parent)
    : TSettingsDialog("frmDlgAppIni", "Nastavení programu", parent), m_Settings(settings),
      m_IniFile(std::move(iniFile)) {
    // Created in the order of the form, which the required check walks.
    auto* grid = new QGridLayout;
    for (const TFormItem& item : Form) {
        if (!item.Key) {
            grid->addWidget(NewHeading(item.Heading, item.Caption, this), grid->rowCount(), 0, 1, 2);
            continue;
        }
        const TAppSettingRow& row = AppSettingRow(item.Key);
        QWidget* control = m_Controls.Add(row, *grid, this);
        AddField(control, row.Field.EditState);
        if (row.Kind == TSettingKind::Code)
            m_TypPrenosu = static_cast<TDaxComboBox*>(control);
        else if (row.Kind == TSettingKind::YesNo)
            m_Generovat = static_cast<TDaxCheckBox*>(control);
    }

    bbtnPrenosScp = NewPushButton("bbtnPrenosScp", "Přenos SCP", this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(NewButtonRow({bbtnPrenosScp}));

    connect(bbtnPrenosScp, &QPushButton::clicked, this, [this] { Guarded([this] { RunScp(); }); });
    connect(m_TypPrenosu, &QComboBox::currentIndexChanged, this, [this] { ApplyEditStates(); });
    connect(m_Generovat, &QCheckBox::toggled, this, [this] { ApplyEditStates(); });
}

void TfrmDlgAppIni::Fill() {
    m_Controls.Fill(m_Settings);
}

bool TfrmDlgAppIni::Holds(TEditState state) const {
    if (state == TEditState::RequiredForUpload)
        return TTransferType(m_TypPrenosu->Text()) == TTransferMode::Upload;
    return state == TEditState::RequiredForInvoice && m_Generovat->Checked();
}

AppSettings TfrmDlgAppIni::DialogValues() const {
    AppSettings values;
    m_Controls.Read(values);
    return values;
}

bool TfrmDlgAppIni::Accept() {
    const TAppSettingRow& interval = AppSettingRow("IntSplatnosti");
    auto* intervalEdit = findChild<TDaxEdit*>(interval.Field.Component);
    const std::string text = TrimWhitespace(intervalEdit->Text());
    int32_t value = 0;
    if (!TryStrToInt(text, value)) {
        intervalEdit->setFocus(Qt::OtherFocusReason);
        ShowErrorMessage(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", text, interval.Field.DisplayName));
        return false;
    }
    const AppSettings values = DialogValues();
    TRequestList requests;
    ValidateAppSettings(values, requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return false;
    }
    // Saved before the dialog closes, so that a failed write leaves the user's entries in place.
    SaveAppIni(m_IniFile, values);
    return true;
}

void TfrmDlgAppIni::RunScp() {
    if (m_ScpHandler)
        m_ScpHandler();
    else if (m_ScpAction)
        m_ScpAction->trigger();
}

bool TfrmDlgAppIni::Execute() {
    if (exec() != QDialog::Accepted || !EditMode())
        return false;
    try {
        m_Settings = LoadAppIni(m_IniFile);
    } catch (...) {
        emit SettingsSaved();
        throw;
    }
    emit SettingsSaved();
    return true;
}

} // namespace ndlemo
