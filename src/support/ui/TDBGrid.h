#pragma once

#include <QTableView>

namespace ndlemo {

class TQsTableModel;

// A read-only grid over an in-memory table: whole rows, one at a time, chosen by the user; the columns'
// widths and captions come from the model. Its current row is the table's current record, both ways.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    // accessibleName is how assistive technologies name the grid (UTF-8).
    TDBGrid(const QString& objectName, const char* accessibleName, QWidget* parent = nullptr);

    // The model stays the caller's (or its parent's) and must outlive the grid's use of it.
    void SetModel(TQsTableModel* model);
    [[nodiscard]] TQsTableModel* Model() const { return m_Model; }

private:
    void ShowCurrentRow(int row);
    // The given widths are the least; a column whose texts need more is widened, never cut.
    void FitColumns();

    TQsTableModel* m_Model = nullptr;
};

} // namespace ndlemo
