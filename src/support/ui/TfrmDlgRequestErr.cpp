#include "support/ui/TfrmDlgRequestErr.h"

#include "support/TRequestList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ndlemo {

namespace {

TfrmDlgRequestErr::TShowHook& ShowHook() {
    static TfrmDlgRequestErr::TShowHook hook;
    return hook;
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid->setItem(row, column, item);
}

} // namespace

TfrmDlgRequestErr::TfrmDlgRequestErr(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDlgRequestErr"));
    setWindowTitle(QStringLiteral("Chyby"));
    setFixedSize(537, 254);

    m_Grid = new QTableWidget(1, 2, this);
    m_Grid->setObjectName(QStringLiteral("sgrdError"));
    m_Grid->setHorizontalHeaderLabels({QStringLiteral("Typ"), QStringLiteral("Popis")});
    m_Grid->verticalHeader()->hide();
    m_Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_Grid->verticalHeader()->setDefaultSectionSize(21);
    m_Grid->horizontalHeader()->setFixedHeight(21);
    m_Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_Grid->horizontalHeader()->setStretchLastSection(false);
    m_Grid->setColumnWidth(0, 30);
    m_Grid->setColumnWidth(1, 475);
    m_Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlBottom"));
    panel->setFixedHeight(41);
    m_Ok = new QPushButton(QStringLiteral("OK"), panel);
    m_Ok->setObjectName(QStringLiteral("bbtnOk"));
    m_Ok->setDefault(true);
    m_Back = new QPushButton(QStringLiteral("Zpět"), panel);
    m_Back->setObjectName(QStringLiteral("bbtnZpet"));
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(8, 8, 8, 8);
    buttons->addStretch(1);
    buttons->addWidget(m_Ok);
    buttons->addWidget(m_Back);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_Grid, 1);
    layout->addWidget(panel);

    connect(m_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Back, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgRequestErr::FillRequests(TRequestList& list) {
    m_Grid->setRowCount(1);
    SetCell(m_Grid, 0, 0, {});
    SetCell(m_Grid, 0, 1, {});
    const int count = list.Count();
    if (count <= 0)
        return;
    m_Grid->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        SetCell(m_Grid, i, 0, list.GetInt(i, 0) >= 256 ? QStringLiteral("E") : QStringLiteral("W"));
        SetCell(m_Grid, i, 1, QString::fromStdString(list.GetText(i, 1)));
    }
}

void TfrmDlgRequestErr::ShowRequests(TRequestList& list) {
    FillRequests(list);
    if (ShowHook()) {
        ShowHook()(*this);
        return;
    }
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
}

void TfrmDlgRequestErr::SetShowHook(TShowHook hook) {
    ShowHook() = std::move(hook);
}

void ShowRequestList(TRequestList& list, QWidget* parent) {
    TfrmDlgRequestErr dialog(parent ? parent : QApplication::activeWindow());
    dialog.ShowRequests(list);
}

} // namespace ndlemo
