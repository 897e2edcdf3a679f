#include "support/ui/TQsTableModel.h"

#include "support/TMessageBoxes.h"
#include "support/TQsStreamDataSet.h"

#include <algorithm>
#include <exception>

namespace ndlemo {

TQsTableModel::TQsTableModel(TQsStreamDataSet& table, std::vector<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_Table(table), m_Columns(std::move(columns)) {
    for (const TGridColumn& column : m_Columns)
        m_FieldIndexes.push_back(m_Table.FieldIndex(column.FieldName));
    m_Records = m_Table.LiveRecords();
    m_Listener = m_Table.AddListener([this](const TQsNotification& change) { OnTableChange(change); });
}

TQsTableModel::~TQsTableModel() {
    m_Table.RemoveListener(m_Listener);
}

int TQsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_Records.size());
}

int TQsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_Columns.size());
}

QVariant TQsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int field = m_FieldIndexes[static_cast<size_t>(index.column())];
    if (field < 0)
        return {};
    if (role == Qt::DisplayRole) {
        const int32_t record = m_Records[static_cast<size_t>(index.row())];
        if (m_Table.IsDeletedAt(record))
            return {};
        return QString::fromStdString(m_Table.TextAt(record, field));
    }
    if (role == Qt::TextAlignmentRole) {
        switch (m_Table.FieldDefs()[static_cast<size_t>(field)].DataType) {
        case TQsFieldType::ftSmallint:
        case TQsFieldType::ftInteger:
        case TQsFieldType::ftWord:
        case TQsFieldType::ftFloat:
        case TQsFieldType::ftCurrency:
        case TQsFieldType::ftAutoInc:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return {};
}

QVariant TQsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(m_Columns[static_cast<size_t>(section)].Caption);
    return {};
}

Qt::ItemFlags TQsTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int TQsTableModel::RowOf(int32_t record) const {
    auto it = std::find(m_Records.begin(), m_Records.end(), record);
    return it == m_Records.end() ? -1 : static_cast<int>(it - m_Records.begin());
}

int TQsTableModel::CurrentRow() const {
    return m_Table.IsEmpty() ? -1 : RowOf(m_Table.GetBookmark());
}

void TQsTableModel::SetCurrentRow(int row) {
    // While the model follows a change of the table, the table says which record is current.
    if (m_Following || row < 0 || row >= rowCount() || row == CurrentRow())
        return;
    // Called from the grid's selection: nothing may escape into the event loop.
    try {
        m_Table.GotoBookmark(m_Records[static_cast<size_t>(row)]);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TQsTableModel::Reload() {
    beginResetModel();
    m_Records = m_Table.LiveRecords();
    endResetModel();
}

void TQsTableModel::OnTableChange(const TQsNotification& change) {
    m_Following = true;
    FollowChange(change);
    m_Following = false;
    if (change.Change != TQsChange::FieldChanged && change.Change != TQsChange::StateChanged)
        emit CurrentRowChanged(CurrentRow());
}

void TQsTableModel::FollowChange(const TQsNotification& change) {
    switch (change.Change) {
    case TQsChange::ActiveChanged:
    case TQsChange::DataSetChanged:
        Reload();
        break;
    case TQsChange::RecordAppended: {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
        m_Records.push_back(change.Record);
        endInsertRows();
        break;
    }
    case TQsChange::RecordDeleted: {
        const int row = RowOf(change.Record);
        if (row < 0) {
            Reload();
            break;
        }
        beginRemoveRows(QModelIndex(), row, row);
        m_Records.erase(m_Records.begin() + row);
        endRemoveRows();
        break;
    }
    case TQsChange::RecordChanged: {
        const int row = RowOf(change.Record);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        break;
    }
    case TQsChange::Scrolled:
    case TQsChange::FieldChanged:
    case TQsChange::StateChanged:
        // A record being appended or edited shows once it is posted.
        break;
    }
}

} // namespace ndlemo
