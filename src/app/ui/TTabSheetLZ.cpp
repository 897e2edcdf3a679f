#include "app/ui/TTabSheetLZ.h"

#include "app/TPrijemTabs.h"
#include "app/ui/TabParts.h"
#include "invoice/FormFields.h"
#include "support/TSettingField.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"
#include "support/ui/TDBGrid.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TQsTableModel.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
const std::vector<TGridColumn> GridColumns = {
    {"LZ_SrcFileName", "Zdroj", 313},
    {"LZ_SrcDateTime", "Datum zdroje", 111},
    {"LZ_FileSize", "Velikost", 101},
};
} // namespace

TTabSheetLZ::TTabSheetLZ(TPrijemTabs& tabs, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabSheetLZ"));
    auto* layout = new QVBoxLayout(this);
    m_ToolBar = NewTabToolBar("tbrLZ", "Lékařské zprávy", this);
    layout->addWidget(m_ToolBar);

    pnlTopLZ = new QFrame(this);
    pnlTopLZ->setObjectName(QStringLiteral("pnlTopLZ"));
    auto* grid = new QGridLayout(pnlTopLZ);
    cedtICZ_LZ = NewSettingEdit(ReportsTextField("cedtICZ_LZ"), pnlTopLZ);
    cedtICO_LZ = NewSettingEdit(ReportsTextField("cedtICO_LZ"), pnlTopLZ);
    cedtPoznamka_LZ = NewSettingEdit(ReportsTextField("cedtPoznamka_LZ"), pnlTopLZ);
    SetWidthForChars(cedtICZ_LZ, ReportsTextField("cedtICZ_LZ").MaxLength);
    SetWidthForChars(cedtICO_LZ, ReportsTextField("cedtICO_LZ").MaxLength);
    grid->addWidget(NewFieldLabel(cedtICZ_LZ, ReportsTextField("cedtICZ_LZ").Caption), 0, 0);
    grid->addWidget(cedtICZ_LZ, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewFieldLabel(cedtICO_LZ, ReportsTextField("cedtICO_LZ").Caption), 1, 0);
    grid->addWidget(cedtICO_LZ, 1, 1, Qt::AlignLeft);
    grid->addWidget(NewFieldLabel(cedtPoznamka_LZ, ReportsTextField("cedtPoznamka_LZ").Caption), 2, 0);
    grid->addWidget(cedtPoznamka_LZ, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(pnlTopLZ);

    m_FilesBar = NewTabToolBar("tbrSouboryLZ", "Soubory LZ", this);
    layout->addWidget(m_FilesBar);
    dbgrdLZ = new TDBGrid(QStringLiteral("dbgrdLZ"), "Seznam souborů LZ", this);
    dbgrdLZ->SetModel(new TQsTableModel(tabs.ReportFiles.Table(), GridColumns, dbgrdLZ));
    layout->addWidget(dbgrdLZ, 1);
}

void TTabSheetLZ::SetFieldStates() {
    SetControlState(cedtICZ_LZ, TCompType::Required);
    SetControlState(cedtICO_LZ, TCompType::Required);
    SetControlState(cedtPoznamka_LZ, TCompType::Editable);
}

void TTabSheetLZ::ShowForm(const TReportsForm& form) {
    cedtICZ_LZ->SetText(form.ICZ);
    cedtICO_LZ->SetText(form.ICO);
    cedtPoznamka_LZ->SetText(form.Poznamka);
}

TReportsForm TTabSheetLZ::ReadForm() const {
    return {cedtICZ_LZ->Text(), cedtICO_LZ->Text(), cedtPoznamka_LZ->Text()};
}

} // namespace ndlemo
