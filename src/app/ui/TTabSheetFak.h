#pragma once

#include "invoice/TInvoiceForm.h"

#include <QWidget>

class QScrollArea;
class QToolBar;

namespace ndlemo {

class TDBGrid;
class TDaxCheckBox;
class TDaxEdit;
class TMaskDateEdit;
class TPrijemTabs;

// The invoice tab "Faktura za dávky": the toolbar tbrFaktura, the header fields in ScrollBoxFak and the
// batch-file list (tbrSoubory and the grid dbgrdPRS over qssPRS). The window puts the action buttons on
// the two toolbars. The fields apply their own input rules; their values come from TPrijemTabs.
class TTabSheetFak : public QWidget {
    Q_OBJECT
public:
    TTabSheetFak(TPrijemTabs& tabs, QWidget* parent = nullptr);

    [[nodiscard]] QToolBar* ToolBar() const { return m_ToolBar; }
    [[nodiscard]] QToolBar* FilesToolBar() const { return m_FilesBar; }
    [[nodiscard]] TDBGrid* Grid() const { return dbgrdPRS; }
    // The field that gets the focus when the tab is activated (IČZ).
    [[nodiscard]] QWidget* FirstField() const;

    // Required and editable states of the fields, the required colour of three date fields.
    void SetFieldStates();
    void ShowForm(const TInvoiceForm& form);
    [[nodiscard]] TInvoiceForm ReadForm() const;
    // Supplier name, postcode and town required while "Generovat fakturu" is ticked, else editable.
    void ApplySupplierModes();

private:
    QWidget* CreateFields();
    void NormalizeDate(TMaskDateEdit* edit);

    TPrijemTabs& m_Tabs;
    QToolBar* m_ToolBar = nullptr;
    QToolBar* m_FilesBar = nullptr;
    QScrollArea* ScrollBoxFak = nullptr;
    TDBGrid* dbgrdPRS = nullptr;

    TDaxEdit* cedtICZ = nullptr;
    TDaxEdit* cedtCisFaktury = nullptr;
    TDaxEdit* cedtICO = nullptr;
    TDaxEdit* cedtRokFaktury = nullptr;
    TMaskDateEdit* edtDatVystaveni = nullptr;
    TMaskDateEdit* edtDatOdeslani = nullptr;
    TMaskDateEdit* edtDatPrijeti = nullptr;
    TMaskDateEdit* edtDatSplatnosti = nullptr;
    TDaxEdit* cedtCastka = nullptr;
    TDaxEdit* cedtUcet = nullptr;
    TDaxEdit* cedtBanka = nullptr;
    TDaxEdit* cedtVS = nullptr;
    TDaxEdit* cedtPopis = nullptr;
    TDaxEdit* cedtPoznamka = nullptr;
    TDaxCheckBox* cchbGenerFak = nullptr;
    TDaxEdit* cedtDodavatelNazev = nullptr;
    TDaxEdit* cedtDodavatelUlice = nullptr;
    TDaxEdit* cedtDodavatelPsc = nullptr;
    TDaxEdit* cedtDodavatelObec = nullptr;
};

} // namespace ndlemo
