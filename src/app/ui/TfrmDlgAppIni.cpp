#include "app/ui/TfrmDlgAppIni.h"

#include "support/EAbort.h"
#include "support/FormatText.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <charconv>

namespace ndlemo {

namespace {
const QString Digits = "0123456789";

QLabel* NewHeading(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A whole decimal number, nothing else around it.
bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

std::string Trimmed(const TDaxEdit* edit) {
    return Trim(edit->Text());
}
} // namespace

TfrmDlgAppIni::TfrmDlgAppIni(AppSettings& settings, std::filesystem::path iniFile, QWidget* parent)
    : QDialog(parent), m_Settings(settings), m_IniFile(std::move(iniFile)) {
    setObjectName("frmDlgAppIni");
    setWindowTitle("Nastavení programu");

    auto* grid = new QGridLayout;
    int row = 0;
    // The fields are created in the order in which the required check walks them.
    auto field = [&](const char* name, const char* labelName, const QString& caption, const char* displayName,
                     int maxLength) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(labelName);
        auto* edit = new TDaxEdit(name, this);
        edit->SetDisplayName(displayName);
        edit->SetMaxLength(maxLength);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
        return edit;
    };
    auto heading = [&](const char* name, const QString& caption) {
        grid->addWidget(NewHeading(name, caption, this), row++, 0, 1, 2);
    };

    cedtPracoviste = field("cedtPracoviste", "lblPracoviste", "Pracoviště", "Pracoviště", 4);
    cedtPracoviste->SetUpperCase(true);
    cedtDirDavky = field("cedtDirDavky", "lblDirDavky", "Adresář dávek", "Adresář dávek", 0);
    cedtDirOdeslane =
        field("cedtDirOdeslane", "lblDirOdeslane", "Adresář odeslaných souborů", "Adresář odeslaných souborů", 0);
    cedtIntSplatnosti = field("cedtIntSplatnosti", "lblIntSplatnosti", "Interval splatnosti", "Interval splatnosti", 3);
    cedtIntSplatnosti->SetAllowedChars(Digits);

    heading("lblPrednastaveni", "Přednastavené hodnoty faktury");
    cedtDefaultICZ = field("cedtDefaultICZ", "lblDefaultICZ", "IČZ", "IČZ", 8);
    cedtDefaultICO = field("cedtDefaultICO", "lblDefaultICO", "IČ", "IČ", 8);
    cedtDefaultCisloUctu = field("cedtDefaultCisloUctu", "lblDefaultCisloUctu", "Číslo účtu", "Číslo účtu", 25);
    cedtDefaultKodBanky = field("cedtDefaultKodBanky", "lblDefaultKodBanky", "Kód banky", "Kód banky", 4);

    heading("lblNastaveniPrenosu", "Nastavení přenosu");
    cedtAdresaUploadLemo = field("cedtAdresaUploadLemo", "lblAdresaUploadLemo", "Adresa stránky uploadu Lemo",
                                 "Adresa stránky uploadu Lemo", 0);
    cedtDirUploadLemo =
        field("cedtDirUploadLemo", "lblDirUploadLemo", "Adresář uploadu Lemo", "Adresář uploadu Lemo", 0);
    {
        auto* label = new QLabel("Typ přenosu ", this);
        label->setObjectName("lblTypPrenosu");
        ccbTypPrenosu = new TDaxComboBox("ccbTypPrenosu", this);
        ccbTypPrenosu->SetDisplayName("Typ přenosu");
        for (std::string_view code : TypPrenosuCodes)
            ccbTypPrenosu->addItem(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())));
        label->setBuddy(ccbTypPrenosu);
        grid->addWidget(label, row, 0);
        grid->addWidget(ccbTypPrenosu, row++, 1);
    }

    cchbDefaultGenerFak = new TDaxCheckBox("cchbDefaultGenerFak", "Generovat fakturu", this);
    grid->addWidget(cchbDefaultGenerFak, row++, 0, 1, 2);

    heading("lblDodavatel", "Dodavatel");
    cedtDefaultDodavatelNazev =
        field("cedtDefaultDodavatelNazev", "lblDefaultDodavatelNazev", "Název ", "Název dodavatele", 50);
    cedtDefaultDodavatelUlice =
        field("cedtDefaultDodavatelUlice", "lblDefaultDodavatelUlice", "Ulice", "Ulice dodavatele", 50);
    cedtDefaultDodavatelPsc = field("cedtDefaultDodavatelPsc", "lblDefaultDodavatelPsc", "PSČ", "PSČ dodavatele ", 5);
    cedtDefaultDodavatelPsc->SetAllowedChars(Digits);
    cedtDefaultDodavatelObec =
        field("cedtDefaultDodavatelObec", "lblDefaultDodavatelObec", "Obec", "Obec dodavatele", 50);

    heading("lblOdberatel", "Odběratel");
    cedtDefaultOdberatelNazev =
        field("cedtDefaultOdberatelNazev", "lblDefaultOdberatelNazev", "Název ", "Název odběratele", 50);
    cedtDefaultOdberatelUlice =
        field("cedtDefaultOdberatelUlice", "lblDefaultOdberatelUlice", "Ulice", "Ulice odběratele", 50);
    cedtDefaultOdberatelPsc = field("cedtDefaultOdberatelPsc", "lblDefaultOdberatelPsc", "PSČ", "PSČ odběratele ", 5);
    cedtDefaultOdberatelPsc->SetAllowedChars(Digits);
    cedtDefaultOdberatelObec =
        field("cedtDefaultOdberatelObec", "lblDefaultOdberatelObec", "Obec", "Obec odběratele", 50);
    cedtDefaultOdberatelICO = field("cedtDefaultOdberatelICO", "lblDefaultOdberatelICO", "IČ", "IČ odběratele", 8);

    bbtnPrenosScp = NewButton("bbtnPrenosScp", "Přenos SCP", this);
    bbtnEdit = NewButton("bbtnEdit", "Edit", this);
    bbtnOK = NewButton("bbtnOK", "OK", this);
    bbtnOK->setDefault(true);
    bbtnCancel = NewButton("bbtnCancel", "Zpět", this);
    MarkCancelButton(bbtnCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bbtnPrenosScp);
    buttons->addStretch();
    buttons->addWidget(bbtnEdit);
    buttons->addWidget(bbtnOK);
    buttons->addWidget(bbtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(bbtnEdit, &QPushButton::clicked, this, [this] { Guarded([this] { EnterEditMode(); }); });
    connect(bbtnOK, &QPushButton::clicked, this, [this] { Guarded([this] { OkClicked(); }); });
    connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbtnPrenosScp, &QPushButton::clicked, this, [this] { Guarded([this] { RunScp(); }); });
    connect(ccbTypPrenosu, &QComboBox::currentIndexChanged, this, [this] {
        if (m_EditMode)
            Guarded([this] { ApplyUploadStates(); });
    });
    connect(cchbDefaultGenerFak, &QCheckBox::toggled, this, [this] {
        if (m_EditMode)
            Guarded([this] { ApplyInvoiceStates(); });
    });

    EnterViewMode();
}

void TfrmDlgAppIni::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

void TfrmDlgAppIni::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FillFields();
        EnterViewMode();
    }
    QDialog::showEvent(event);
}

void TfrmDlgAppIni::FillFields() {
    const AppSettings& s = m_Settings;
    cedtPracoviste->SetText(s.Pracoviste);
    cedtDirDavky->SetText(s.DirDavky);
    cedtDirOdeslane->SetText(s.DirOdeslane);
    cedtIntSplatnosti->SetText(std::to_string(s.IntSplatnosti));
    cedtDefaultICZ->SetText(s.DefaultICZ);
    cedtDefaultICO->SetText(s.DefaultICO);
    cedtDefaultCisloUctu->SetText(s.DefaultCisloUctu);
    cedtDefaultKodBanky->SetText(s.DefaultKodBanky);
    cedtAdresaUploadLemo->SetText(s.UploadAdresa);
    cedtDirUploadLemo->SetText(s.UploadOutDir);
    ccbTypPrenosu->setCurrentIndex(TypPrenosuIndex(s.TypPrenosu));
    cchbDefaultGenerFak->SetChecked(s.DefaultGenerovat);
    cedtDefaultDodavatelNazev->SetText(s.DefaultDodNazev);
    cedtDefaultDodavatelUlice->SetText(s.DefaultDodUlice);
    cedtDefaultDodavatelPsc->SetText(s.DefaultDodPsc);
    cedtDefaultDodavatelObec->SetText(s.DefaultDodObec);
    cedtDefaultOdberatelNazev->SetText(s.DefaultOdbNazev);
    cedtDefaultOdberatelUlice->SetText(s.DefaultOdbUlice);
    cedtDefaultOdberatelPsc->SetText(s.DefaultOdbPsc);
    cedtDefaultOdberatelObec->SetText(s.DefaultOdbObec);
    cedtDefaultOdberatelICO->SetText(s.DefaultOdbICO);
}

AppSettings TfrmDlgAppIni::DialogValues() const {
    AppSettings s;
    s.Pracoviste = Trimmed(cedtPracoviste);
    s.DirDavky = Trimmed(cedtDirDavky);
    s.DirOdeslane = Trimmed(cedtDirOdeslane);
    if (!ParseInt(Trimmed(cedtIntSplatnosti), s.IntSplatnosti))
        s.IntSplatnosti = 0;
    s.DefaultICZ = Trimmed(cedtDefaultICZ);
    s.DefaultICO = Trimmed(cedtDefaultICO);
    s.DefaultCisloUctu = Trimmed(cedtDefaultCisloUctu);
    s.DefaultKodBanky = Trimmed(cedtDefaultKodBanky);
    s.TypPrenosu = Trim(ccbTypPrenosu->Text());
    s.UploadAdresa = Trimmed(cedtAdresaUploadLemo);
    s.UploadOutDir = Trimmed(cedtDirUploadLemo);
    s.DefaultGenerovat = cchbDefaultGenerFak->Checked();
    s.DefaultDodNazev = Trimmed(cedtDefaultDodavatelNazev);
    s.DefaultDodUlice = Trimmed(cedtDefaultDodavatelUlice);
    s.DefaultDodPsc = Trimmed(cedtDefaultDodavatelPsc);
    s.DefaultDodObec = Trimmed(cedtDefaultDodavatelObec);
    s.DefaultOdbNazev = Trimmed(cedtDefaultOdberatelNazev);
    s.DefaultOdbUlice = Trimmed(cedtDefaultOdberatelUlice);
    s.DefaultOdbPsc = Trimmed(cedtDefaultOdberatelPsc);
    s.DefaultOdbObec = Trimmed(cedtDefaultOdberatelObec);
    s.DefaultOdbICO = Trimmed(cedtDefaultOdberatelICO);
    return s;
}

void TfrmDlgAppIni::EnterViewMode() {
    m_EditMode = false;
    for (QWidget* control : std::initializer_list<QWidget*>{cedtPracoviste,
                                                            cedtDirDavky,
                                                            cedtDirOdeslane,
                                                            cedtIntSplatnosti,
                                                            cedtDefaultICZ,
                                                            cedtDefaultICO,
                                                            cedtDefaultCisloUctu,
                                                            cedtDefaultKodBanky,
                                                            cedtAdresaUploadLemo,
                                                            cedtDirUploadLemo,
                                                            ccbTypPrenosu,
                                                            cchbDefaultGenerFak,
                                                            cedtDefaultDodavatelNazev,
                                                            cedtDefaultDodavatelUlice,
                                                            cedtDefaultDodavatelPsc,
                                                            cedtDefaultDodavatelObec,
                                                            cedtDefaultOdberatelNazev,
                                                            cedtDefaultOdberatelUlice,
                                                            cedtDefaultOdberatelPsc,
                                                            cedtDefaultOdberatelObec,
                                                            cedtDefaultOdberatelICO})
        SetControlState(control, ctReadOnly);
    bbtnEdit->setEnabled(true);
    bbtnOK->setEnabled(false);
}

void TfrmDlgAppIni::EnterEditMode() {
    if (m_EditMode)
        return;
    m_EditMode = true;
    for (QWidget* control : {cedtPracoviste, cedtDirDavky, cedtDirOdeslane, cedtIntSplatnosti})
        SetControlState(control, ctRequired);
    for (QWidget* control : {cedtDefaultICZ, cedtDefaultICO, cedtDefaultCisloUctu, cedtDefaultKodBanky})
        SetControlState(control, ctEditable);
    SetControlState(ccbTypPrenosu, ctRequired);
    SetControlState(cchbDefaultGenerFak, ctEditable);
    SetControlState(cedtDefaultDodavatelUlice, ctEditable);
    ApplyUploadStates();
    ApplyInvoiceStates();
    bbtnEdit->setEnabled(false);
    bbtnOK->setEnabled(true);
    cedtPracoviste->setFocus(Qt::OtherFocusReason);
}

void TfrmDlgAppIni::ApplyUploadStates() {
    const int state = ccbTypPrenosu->Text() == TypPrenosuUpload ? ctRequired : ctEditable;
    SetControlState(cedtAdresaUploadLemo, state);
    SetControlState(cedtDirUploadLemo, state);
}

void TfrmDlgAppIni::ApplyInvoiceStates() {
    const int state = cchbDefaultGenerFak->Checked() ? ctRequired : ctEditable;
    for (QWidget* control :
         {cedtDefaultDodavatelNazev, cedtDefaultDodavatelPsc, cedtDefaultDodavatelObec, cedtDefaultOdberatelNazev,
          cedtDefaultOdberatelUlice, cedtDefaultOdberatelPsc, cedtDefaultOdberatelObec, cedtDefaultOdberatelICO})
        SetControlState(control, state);
}

void TfrmDlgAppIni::OkClicked() {
    if (!m_EditMode)
        return;
    if (!ValidateRequired(this))
        return;
    const std::string interval = Trimmed(cedtIntSplatnosti);
    int value = 0;
    if (!ParseInt(interval, value)) {
        cedtIntSplatnosti->setFocus(Qt::OtherFocusReason);
        ShowErrorMessage(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", interval, "Interval splatnosti"));
        return;
    }
    const AppSettings values = DialogValues();
    TRequestList requests;
    ValidateAppSettings(values, requests);
    if (requests.Count() > 0) {
        ShowRequestList(requests, this);
        return;
    }
    accept();
}

void TfrmDlgAppIni::RunScp() {
    if (m_ScpHandler)
        m_ScpHandler();
    else if (m_ScpAction)
        m_ScpAction->trigger();
}

bool TfrmDlgAppIni::Execute() {
    if (exec() != QDialog::Accepted || !m_EditMode)
        return false;
    SaveAppIni(m_IniFile, DialogValues());
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
