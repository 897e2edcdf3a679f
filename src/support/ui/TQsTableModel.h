#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace ndlemo {

class TQsStreamDataSet;
struct TQsNotification;

// One column of a grid over an in-memory table.
struct TGridColumn {
    const char* FieldName;
    const char* Caption; // UTF-8
    int Width;           // pixels
};

// A read-only item model over an in-memory table: one row per live record in the table's order, one column
// per given field, showing the field's text as the table gives it (numbers right-aligned). It follows the
// table's changes and keeps the grid's current row and the table's current record together.
class TQsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The table must outlive the model.
    TQsTableModel(TQsStreamDataSet& table, std::vector<TGridColumn> columns, QObject* parent = nullptr);
    ~TQsTableModel() override;

    [[nodiscard]] const std::vector<TGridColumn>& Columns() const { return m_Columns; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of the table's current record; -1 when it has none.
    [[nodiscard]] int CurrentRow() const;
    // Makes the row's record the table's current one (the user chose the row).
    void SetCurrentRow(int row);

signals:
    // The table's current record moved to this row (-1: none).
    void CurrentRowChanged(int row);

private:
    void OnTableChange(const TQsNotification& change);
    void FollowChange(const TQsNotification& change);
    void Reload();
    [[nodiscard]] int RowOf(int32_t record) const;

    TQsStreamDataSet& m_Table;
    std::vector<TGridColumn> m_Columns;
    std::vector<int> m_FieldIndexes;
    std::vector<int32_t> m_Records; // physical index of each row's record
    int m_Listener = 0;
    bool m_Following = false;
};

} // namespace ndlemo
