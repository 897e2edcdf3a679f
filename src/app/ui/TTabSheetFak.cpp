#include "app/ui/TTabSheetFak.h"

#include "app/TPrijemTabs.h"
#include "app/ui/TabParts.h"
#include "invoice/FormFields.h"
#include "invoice/InvoiceFieldRules.h"
#include "support/TSettingField.h"
#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"
#include "support/ui/TDBGrid.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TMaskDateEdit.h"
#include "support/ui/TQsTableModel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
const std::vector<TGridColumn> GridColumns = {
    {"PRS_FileExt", "Soubor", 50},
    {"PRS_FileSize", "Velikost", 60},
    {"PRS_SrcFileName", "Zdroj", 301},
    {"PRS_SrcDateTime", "Datum zdroje", 111},
};

TDaxEdit* NewField(const TSettingField& field, QWidget* parent, bool fixedWidth = true) {
    TDaxEdit* edit = NewSettingEdit(field, parent);
    if (fixedWidth)
        SetWidthForChars(edit, field.MaxLength);
    return edit;
}

TMaskDateEdit* NewDateField(const char* name, QWidget* parent) {
    auto* edit = new TMaskDateEdit(QString::fromUtf8(name), parent);
    SetWidthForChars(edit, 10);
    return edit;
}

// A label and its field in one cell pair of the grid; a field over several columns takes their width.
void Place(QGridLayout* grid, QWidget* field, const char* caption, int row, int column, int span = 1) {
    grid->addWidget(NewFieldLabel(field, caption), row, column);
    grid->addWidget(field, row, column + 1, 1, span, span > 1 ? Qt::Alignment() : Qt::AlignLeft);
}
} // namespace

TTabSheetFak::TTabSheetFak(TPrijemTabs& tabs, QWidget* parent) : QWidget(parent), m_Tabs(tabs) {
    setObjectName(QStringLiteral("tabSheetFak"));
    auto* layout = new QVBoxLayout(this);
    m_ToolBar = NewTabToolBar("tbrFaktura", "Faktura za dávky", this);
    layout->addWidget(m_ToolBar);

    ScrollBoxFak = new QScrollArea(this);
    ScrollBoxFak->setObjectName(QStringLiteral("ScrollBoxFak"));
    ScrollBoxFak->setWidgetResizable(true);
    ScrollBoxFak->setWidget(CreateFields());
    layout->addWidget(ScrollBoxFak, 4);

    m_FilesBar = NewTabToolBar("tbrSoubory", "Soubory dávek", this);
    layout->addWidget(m_FilesBar);
    dbgrdPRS = new TDBGrid(QStringLiteral("dbgrdPRS"), "Seznam souborů dávek", this);
    dbgrdPRS->SetModel(new TQsTableModel(m_Tabs.BatchFiles.Table(), GridColumns, dbgrdPRS));
    dbgrdPRS->setMinimumHeight(120);
    layout->addWidget(dbgrdPRS, 1);
}

QWidget* TTabSheetFak::CreateFields() {
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("pnlFaktura"));
    auto* grid = new QGridLayout(box);

    // Created in tab order, which is also the order of the required check.
    cedtICZ = NewField(InvoiceTextField("cedtICZ"), box);
    cedtCisFaktury = NewField(InvoiceTextField("cedtCisFaktury"), box);
    cedtICO = NewField(InvoiceTextField("cedtICO"), box);
    cedtRokFaktury = NewField(InvoiceTextField("cedtRokFaktury"), box);
    edtDatVystaveni = NewDateField("edtDatVystaveni", box);
    edtDatOdeslani = NewDateField("edtDatOdeslani", box);
    edtDatPrijeti = NewDateField("edtDatPrijeti", box);
    edtDatSplatnosti = NewDateField("edtDatSplatnosti", box);
    cedtCastka = new TDaxEdit(QStringLiteral("cedtCastka"), box);
    cedtCastka->SetValueType(vtFloat);
    cedtCastka->SetValueCustomFormat("0.00");
    cedtCastka->SetAlignment(Qt::AlignRight);
    SetWidthForChars(cedtCastka, 14);
    cedtUcet = NewField(InvoiceTextField("cedtUcet"), box);
    cedtBanka = NewField(InvoiceTextField("cedtBanka"), box);
    cedtVS = NewField(InvoiceTextField("cedtVS"), box);
    cedtPopis = NewField(InvoiceTextField("cedtPopis"), box, false);
    cedtPoznamka = NewField(InvoiceTextField("cedtPoznamka"), box, false);
    cchbGenerFak = NewSettingCheckBox({"cchbGenerFak", "Generovat fakturu"}, box);
    cedtDodavatelNazev = NewField(InvoiceTextField("cedtDodavatelNazev"), box, false);
    cedtDodavatelUlice = NewField(InvoiceTextField("cedtDodavatelUlice"), box, false);
    cedtDodavatelPsc = NewField(InvoiceTextField("cedtDodavatelPsc"), box);
    cedtDodavatelObec = NewField(InvoiceTextField("cedtDodavatelObec"), box, false);

    Place(grid, cedtICZ, InvoiceTextField("cedtICZ").Caption, 0, 0);
    Place(grid, cedtCisFaktury, InvoiceTextField("cedtCisFaktury").Caption, 0, 2);
    Place(grid, cedtICO, InvoiceTextField("cedtICO").Caption, 1, 0);
    Place(grid, cedtRokFaktury, InvoiceTextField("cedtRokFaktury").Caption, 1, 2);
    Place(grid, edtDatVystaveni, "Datum vystavení", 2, 0);
    Place(grid, edtDatOdeslani, "Datum odeslání", 2, 2);
    Place(grid, edtDatPrijeti, "Datum přijetí", 3, 0);
    Place(grid, edtDatSplatnosti, "Datum splatnosti", 3, 2);
    Place(grid, cedtCastka, "Celkem Kč", 4, 0);
    Place(grid, cedtUcet, InvoiceTextField("cedtUcet").Caption, 5, 0);
    // The bank code follows the account number after a slash, as it is written.
    auto* slash = new QLabel(QStringLiteral("/"), box);
    slash->setObjectName(QStringLiteral("lblLomitko"));
    auto* bankCaption = NewFieldLabel(cedtBanka, InvoiceTextField("cedtBanka").Caption);
    auto* bank = new QHBoxLayout;
    bank->addWidget(slash);
    bank->addWidget(bankCaption);
    bank->addStretch();
    grid->addLayout(bank, 5, 2);
    grid->addWidget(cedtBanka, 5, 3, Qt::AlignLeft);
    Place(grid, cedtVS, InvoiceTextField("cedtVS").Caption, 6, 0);
    Place(grid, cedtPopis, InvoiceTextField("cedtPopis").Caption, 7, 0, 3);
    Place(grid, cedtPoznamka, InvoiceTextField("cedtPoznamka").Caption, 8, 0, 3);
    grid->addWidget(cchbGenerFak, 9, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(NewHeading("lblDodavatel", "Dodavatel", box), 10, 0, 1, 4);
    Place(grid, cedtDodavatelNazev, InvoiceTextField("cedtDodavatelNazev").Caption, 11, 0, 3);
    Place(grid, cedtDodavatelUlice, InvoiceTextField("cedtDodavatelUlice").Caption, 12, 0, 3);
    Place(grid, cedtDodavatelPsc, InvoiceTextField("cedtDodavatelPsc").Caption, 13, 0);
    grid->addWidget(NewFieldLabel(cedtDodavatelObec, InvoiceTextField("cedtDodavatelObec").Caption), 13, 2);
    grid->addWidget(cedtDodavatelObec, 13, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(14, 1);

    QWidget* order[] = {
        cedtICZ,          cedtCisFaktury,   cedtICO,      cedtRokFaktury,     edtDatVystaveni,    edtDatOdeslani,
        edtDatPrijeti,    edtDatSplatnosti, cedtCastka,   cedtUcet,           cedtBanka,          cedtVS,
        cedtPopis,        cedtPoznamka,     cchbGenerFak, cedtDodavatelNazev, cedtDodavatelUlice, cedtDodavatelPsc,
        cedtDodavatelObec};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    for (TMaskDateEdit* date : {edtDatVystaveni, edtDatOdeslani, edtDatSplatnosti})
        date->SetOnExit([this, date] { NormalizeDate(date); });
    edtDatPrijeti->SetOnExit([this] {
        NormalizeDate(edtDatPrijeti);
        edtDatSplatnosti->SetText(m_Tabs.MaturityAfterReceipt(edtDatPrijeti->Text(), edtDatSplatnosti->Text()));
    });
    // Pasted text keeps only its digits.
    connect(cedtCisFaktury, &TDaxEdit::Exited, this,
            [this] { cedtCisFaktury->SetText(CleanInvoiceNumber(cedtCisFaktury->Text())); });
    connect(cedtCastka, &TDaxEdit::Entered, this, [this] { cedtCastka->SetValue(RoundTo2(cedtCastka->Value())); });
    connect(cchbGenerFak, &QCheckBox::toggled, this, [this] { ApplySupplierModes(); });
    return box;
}

QWidget* TTabSheetFak::FirstField() const {
    return cedtICZ;
}

void TTabSheetFak::NormalizeDate(TMaskDateEdit* edit) {
    edit->SetText(NormalizeDateText(edit->Text()));
}

void TTabSheetFak::SetFieldStates() {
    for (TDaxEdit* field : {cedtICZ, cedtICO, cedtCisFaktury, cedtRokFaktury, cedtCastka, cedtUcet, cedtBanka, cedtVS})
        SetControlState(field, TCompType::Required);
    for (TDaxEdit* field : {cedtPoznamka, cedtPopis})
        SetControlState(field, TCompType::Editable);
    for (TMaskDateEdit* date : {edtDatVystaveni, edtDatPrijeti, edtDatSplatnosti})
        SetFieldColor(date, RequiredColor());
}

void TTabSheetFak::ApplySupplierModes() {
    const TCompType mode = cchbGenerFak->Checked() ? TCompType::Required : TCompType::Editable;
    for (TDaxEdit* field : {cedtDodavatelNazev, cedtDodavatelPsc, cedtDodavatelObec})
        SetControlState(field, mode);
    SetControlState(cedtDodavatelUlice, TCompType::Editable);
}

void TTabSheetFak::ShowForm(const TInvoiceForm& f) {
    cedtICZ->SetText(f.ICZ);
    cedtCisFaktury->SetText(f.CisFaktury);
    cedtICO->SetText(f.ICO);
    cedtRokFaktury->SetText(f.RokFaktury);
    edtDatVystaveni->SetText(f.DatVystaveni);
    edtDatOdeslani->SetText(f.DatOdeslani);
    edtDatPrijeti->SetText(f.DatPrijeti);
    edtDatSplatnosti->SetText(f.DatSplatnosti);
    cedtCastka->SetValue(f.Castka);
    cedtUcet->SetText(f.Ucet);
    cedtBanka->SetText(f.Banka);
    cedtVS->SetText(f.VS);
    cedtPopis->SetText(f.Popis);
    cedtPoznamka->SetText(f.Poznamka);
    cchbGenerFak->SetChecked(f.GenerFak);
    cedtDodavatelNazev->SetText(f.DodavatelNazev);
    cedtDodavatelUlice->SetText(f.DodavatelUlice);
    cedtDodavatelPsc->SetText(f.DodavatelPsc);
    cedtDodavatelObec->SetText(f.DodavatelObec);
}

TInvoiceForm TTabSheetFak::ReadForm() const {
    TInvoiceForm f;
    f.ICZ = cedtICZ->Text();
    f.CisFaktury = cedtCisFaktury->Text();
    f.ICO = cedtICO->Text();
    f.RokFaktury = cedtRokFaktury->Text();
    f.DatVystaveni = edtDatVystaveni->Text();
    f.DatOdeslani = edtDatOdeslani->Text();
    f.DatPrijeti = edtDatPrijeti->Text();
    f.DatSplatnosti = edtDatSplatnosti->Text();
    f.Castka = cedtCastka->Value();
    f.Ucet = cedtUcet->Text();
    f.Banka = cedtBanka->Text();
    f.VS = cedtVS->Text();
    f.Popis = cedtPopis->Text();
    f.Poznamka = cedtPoznamka->Text();
    f.GenerFak = cchbGenerFak->Checked();
    f.DodavatelNazev = cedtDodavatelNazev->Text();
    f.DodavatelUlice = cedtDodavatelUlice->Text();
    f.DodavatelPsc = cedtDodavatelPsc->Text();
    f.DodavatelObec = cedtDodavatelObec->Text();
    return f;
}

} // namespace ndlemo
