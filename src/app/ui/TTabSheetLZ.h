#pragma once

#include "invoice/TReportsForm.h"

#include <QWidget>

class QFrame;
class QToolBar;

namespace ndlemo {

class TDBGrid;
class TDaxEdit;
class TPrijemTabs;

// The medical-reports tab "Lékařské zprávy": the toolbar tbrLZ, the fields in pnlTopLZ and the document
// list (tbrSouboryLZ and the grid dbgrdLZ over qssLZ). The window puts the action buttons on the toolbars.
class TTabSheetLZ : public QWidget {
    Q_OBJECT
public:
    TTabSheetLZ(TPrijemTabs& tabs, QWidget* parent = nullptr);

    [[nodiscard]] QToolBar* ToolBar() const { return m_ToolBar; }
    [[nodiscard]] QToolBar* FilesToolBar() const { return m_FilesBar; }
    [[nodiscard]] TDBGrid* Grid() const { return dbgrdLZ; }

    // IČZ and IČO required, the note editable.
    void SetFieldStates();
    void ShowForm(const TReportsForm& form);
    [[nodiscard]] TReportsForm ReadForm() const;

private:
    QToolBar* m_ToolBar = nullptr;
    QToolBar* m_FilesBar = nullptr;
    QFrame* pnlTopLZ = nullptr;
    TDBGrid* dbgrdLZ = nullptr;
    TDaxEdit* cedtICZ_LZ = nullptr;
    TDaxEdit* cedtICO_LZ = nullptr;
    TDaxEdit* cedtPoznamka_LZ = nullptr;
};

} // namespace ndlemo
