#include "support/ui/TDBGrid.h"

#include "support/ui/TQsTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

namespace ndlemo {

TDBGrid::TDBGrid(const QString& objectName, const char* accessibleName, QWidget* parent) : QTableView(parent) {
    setObjectName(objectName);
    setAccessibleName(QString::fromUtf8(accessibleName));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the grid for the next control; the arrows move between rows.
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

void TDBGrid::SetModel(TQsTableModel* model) {
    m_Model = model;
    setModel(model);
    for (int i = 0; i < static_cast<int>(model->Columns().size()); ++i)
        setColumnWidth(i, model->Columns()[static_cast<size_t>(i)].Width);
    connect(model, &TQsTableModel::CurrentRowChanged, this, &TDBGrid::ShowCurrentRow);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TDBGrid::FitColumns);
    connect(model, &QAbstractItemModel::dataChanged, this, &TDBGrid::FitColumns);
    connect(model, &QAbstractItemModel::modelReset, this, &TDBGrid::FitColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_Model->SetCurrentRow(current.row());
    });
    ShowCurrentRow(model->CurrentRow());
}

void TDBGrid::FitColumns() {
    for (int c = 0; c < m_Model->columnCount(); ++c) {
        const int needed = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
        if (needed > columnWidth(c))
            setColumnWidth(c, needed);
    }
}

void TDBGrid::ShowCurrentRow(int row) {
    if (row < 0 || !m_Model)
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = m_Model->index(row, column);
    if (index != currentIndex())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

} // namespace ndlemo
