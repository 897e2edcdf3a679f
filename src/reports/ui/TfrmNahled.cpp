#include "reports/ui/TfrmNahled.h"

#include "reports/TReportDocument.h"
#include "reports/TReportRenderer.h"
#include "reports/ui/TReportPageView.h"
#include "support/FormatText.h"
#include "support/TMessageBoxes.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace ndlemo {

TfrmNahled::TfrmNahled(const TReportDocument& document, QWidget* parent) : QDialog(parent), m_Document(document) {
    setObjectName(QStringLiteral("frmNahled"));
    setWindowTitle(QString::fromStdString(document.Title));
    setModal(true);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("bbtnTisk", "Tisk...", [this] { Print(); });
    button("bbtnPrvni", "První", [this] { GoToPage(0); });
    button("bbtnPredchozi", "Předchozí", [this] { GoToPage(CurrentPage() - 1); });
    button("bbtnDalsi", "Další", [this] { GoToPage(CurrentPage() + 1); });
    button("bbtnPosledni", "Poslední", [this] { GoToPage(m_View->PageCount() - 1); });
    button("bbtnZmensit", "Zmenšit", [this] {
        const int page = CurrentPage();
        m_View->SetZoom(m_View->Zoom() / 1.25);
        GoToPage(page);
    });
    button("bbtnZvetsit", "Zvětšit", [this] {
        const int page = CurrentPage();
        m_View->SetZoom(m_View->Zoom() * 1.25);
        GoToPage(page);
    });
    m_PageLabel = new QLabel(this);
    m_PageLabel->setObjectName(QStringLiteral("lblStranka"));
    buttons->addSpacing(12);
    buttons->addWidget(m_PageLabel);
    buttons->addStretch();
    button("bbtnZavrit", "Zavřít", [this] { accept(); });

    m_View = new TReportPageView(document, this);
    m_Scroll = new QScrollArea(this);
    m_Scroll->setObjectName(QStringLiteral("scrlStranky"));
    m_Scroll->setAlignment(Qt::AlignHCenter);
    m_Scroll->setBackgroundRole(QPalette::Dark);
    m_Scroll->setWidget(m_View);
    connect(m_Scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdatePageLabel(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_Scroll, 1);

    // A whole sheet in height where the screen allows.
    QSize wanted(m_View->width() + 40, m_View->PageTop(1) + 80);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
    resize(wanted);
    UpdatePageLabel();
}

int TfrmNahled::CurrentPage() const {
    return m_View->PageAt(m_Scroll->verticalScrollBar()->value());
}

void TfrmNahled::GoToPage(int page) {
    page = std::clamp(page, 0, std::max(0, m_View->PageCount() - 1));
    m_Scroll->verticalScrollBar()->setValue(m_View->PageTop(page) - 8);
    UpdatePageLabel();
}

void TfrmNahled::UpdatePageLabel() {
    m_PageLabel->setText(QString::fromStdString(FormatText("Stránka %d z %d", CurrentPage() + 1, m_View->PageCount())));
}

void TfrmNahled::PrintTo(QPrinter& printer) const {
    const int count = static_cast<int>(m_Document.Pages.size());
    int from = 1, to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
    }
    QPainter painter;
    if (from > to || !painter.begin(&printer))
        return;
    const double pxPerMm = printer.resolution() / 25.4;
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer.newPage())
            break;
        TReportRenderer::PaintPage(painter, m_Document, static_cast<size_t>(page - 1), pxPerMm);
    }
    painter.end();
}

void TfrmNahled::Print() {
    // Nothing may leave a slot: the event loop would carry it away.
    try {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(m_Document.Title));
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                          m_Document.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0)));
        QPrintDialog dialog(&printer, this);
        dialog.setObjectName(QStringLiteral("dlgTisk"));
        dialog.setMinMax(1, std::max(1, m_View->PageCount()));
        if (dialog.exec() == QDialog::Accepted)
            PrintTo(printer);
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

} // namespace ndlemo
