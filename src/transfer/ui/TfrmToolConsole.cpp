#include "transfer/ui/TfrmToolConsole.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QWindow>

namespace ndlemo {

namespace {
bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
} // namespace

TfrmToolConsole::TfrmToolConsole(QWidget* parent) : QDialog(parent) {
    setObjectName("frmToolConsole");
    setWindowTitle(QString::fromUtf8("Průběh přenosu"));
    // The window that started the tool keeps its focus, so no field of it is left while the tool runs.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);

    lblNastroj = new QLabel(this);
    lblNastroj->setObjectName("lblNastroj");
    QFont bold = lblNastroj->font();
    bold.setBold(true);
    lblNastroj->setFont(bold);

    memVystup = new QPlainTextEdit(this);
    memVystup->setObjectName("memVystup");
    memVystup->setReadOnly(true);
    memVystup->setLineWrapMode(QPlainTextEdit::NoWrap);
    memVystup->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memVystup->setFocusPolicy(Qt::NoFocus);

    bbtnUkoncit = new QPushButton(QString::fromUtf8("Ukončit nástroj"), this);
    bbtnUkoncit->setObjectName("bbtnUkoncit");
    bbtnUkoncit->setAutoDefault(false);
    bbtnUkoncit->setFocusPolicy(Qt::NoFocus);
    connect(bbtnUkoncit, &QPushButton::clicked, this, [this] {
        m_StopRequested = true;
        bbtnUkoncit->setEnabled(false);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNastroj);
    layout->addWidget(memVystup, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(bbtnUkoncit);
    layout->addLayout(row);
    resize(640, 280);
}

TfrmToolConsole::~TfrmToolConsole() {
    if (m_Running)
        qApp->removeEventFilter(this);
}

void TfrmToolConsole::Open(std::string_view toolName) {
    m_Text = TConsoleText();
    memVystup->clear();
    lblNastroj->setText(QString::fromUtf8(toolName.data(), static_cast<qsizetype>(toolName.size())));
    setWindowTitle(QString::fromUtf8("Průběh přenosu - ") + lblNastroj->text());
    m_StopRequested = false;
    bbtnUkoncit->setEnabled(true);
    if (!m_Running)
        qApp->installEventFilter(this);
    m_Running = true;
    show();
    QCoreApplication::processEvents();
}

void TfrmToolConsole::Output(platform::TProcessStream, std::string_view bytes) {
    m_Text.Append(bytes);
    ShowChanges();
}

bool TfrmToolConsole::StopRequested() {
    QCoreApplication::processEvents();
    return m_StopRequested;
}

void TfrmToolConsole::Close() {
    if (m_Running)
        qApp->removeEventFilter(this);
    m_Running = false;
    hide();
}

bool TfrmToolConsole::eventFilter(QObject* watched, QEvent* event) {
    if (m_Running && IsUserInput(event->type()) && !BelongsToConsole(watched))
        return true;
    return QDialog::eventFilter(watched, event);
}

// Escape and the window's close button would only hide the console of a running tool.
void TfrmToolConsole::reject() {
    if (!m_Running)
        QDialog::reject();
}

void TfrmToolConsole::closeEvent(QCloseEvent* event) {
    if (m_Running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

bool TfrmToolConsole::BelongsToConsole(const QObject* object) const {
    if (object->isWidgetType()) {
        const auto* widget = static_cast<const QWidget*>(object);
        return widget == this || isAncestorOf(widget);
    }
    return object->isWindowType() && object == windowHandle();
}

void TfrmToolConsole::ShowChanges() {
    const auto& lines = m_Text.Lines();
    QTextDocument* document = memVystup->document();
    for (size_t i = m_Text.FirstChanged(); i < lines.size(); ++i) {
        const QString text = QString::fromUtf8(lines[i].data(), static_cast<qsizetype>(lines[i].size()));
        if (static_cast<int>(i) < document->blockCount()) {
            QTextCursor cursor(document->findBlockByNumber(static_cast<int>(i)));
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.insertText(text);
        } else {
            QTextCursor cursor(document);
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock();
            cursor.insertText(text);
        }
    }
    m_Text.TakeChanges();
    memVystup->moveCursor(QTextCursor::End);
    memVystup->ensureCursorVisible();
    QCoreApplication::processEvents();
}

} // namespace ndlemo
