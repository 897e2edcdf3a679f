#include "transfer/ui/TfrmDlgHttpInfo.h"

#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"
#include "support/ui/DialogPlacement.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/VersionOrder.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TDaxEdit* NewDisplayEdit(const char* name, const char* displayName, int width, QWidget* parent) {
    auto* edit = new TDaxEdit(name, parent);
    edit->SetDisplayName(displayName);
    edit->setMinimumWidth(width);
    SetControlState(edit, TCompType::ReadOnly);
    return edit;
}

// Read-only, both scroll bars, and the text can be selected by mouse and keyboard for copying.
QPlainTextEdit* NewDisplayMemo(const char* name, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setMinimumWidth(560);
    memo->setFixedHeight(120);
    return memo;
}

std::string WithoutTrailingSeparator(std::string dir) {
    while (dir.size() > 1 && dir.back() == std::filesystem::path::preferred_separator)
        dir.pop_back();
    return dir;
}
} // namespace

TfrmDlgHttpInfo::TfrmDlgHttpInfo(const TransferSettings& settings, const std::string& runVerze,
                                 const std::filesystem::path& runDir, QWidget* parent)
    : QDialog(parent), m_Settings(settings), m_RunVerze(runVerze) {
    setObjectName("frmDlgHttpInfo");
    setWindowTitle(QStringLiteral("Info Lemo (http)"));

    cedtMinVerze = NewDisplayEdit("cedtMinVerze", "Minimální požadovaná verze programu", 120, this);
    cedtAktVerze = NewDisplayEdit("cedtAktVerze", "Aktuální uvolněná verze programu", 120, this);
    cedtInstalSoubor = NewDisplayEdit("cedtInstalSoubor", "Instalační soubor", 300, this);
    // It has no label of its own; it sits beside the version it installs.
    cedtInstalSoubor->setAccessibleName(QStringLiteral("Instalační soubor"));
    memoInstal = NewDisplayMemo("memoInstal", this);
    memoInfo = NewDisplayMemo("memoInfo", this);
    memoKontakty = NewDisplayMemo("memoKontakty", this);
    cedtRunVerze = NewDisplayEdit("cedtRunVerze", "Vaše verze programu", 120, this);
    cedtRunDir = NewDisplayEdit("cedtRunDir", "Váš program je ve složce", 300, this);
    bbtnZpet = NewPushButton("bbtnZpet", "Zpět", this);
    bbtnZpet->setDefault(true);

    auto* grid = new QGridLayout;
    auto addRow = [&](int row, const char* label, const char* caption, QWidget* control, int columns) {
        // A memo's caption stands at its first line.
        const Qt::Alignment at = qobject_cast<QPlainTextEdit*>(control) ? Qt::AlignTop : Qt::AlignVCenter;
        grid->addWidget(NewBuddyLabel(label, caption, control, this), row, 0, Qt::AlignLeft | at);
        grid->addWidget(control, row, 1, 1, columns);
    };
    addRow(0, "lblMinVerze", "Minimální požadovaná verze programu", cedtMinVerze, 1);
    addRow(1, "lblAktVerze", "Aktuální uvolněná verze programu", cedtAktVerze, 1);
    grid->addWidget(cedtInstalSoubor, 1, 2);
    addRow(2, "lblInstal", "Instalace", memoInstal, 2);
    addRow(3, "lblInfo", "Info", memoInfo, 2);
    addRow(4, "lblKontakty", "Kontakty", memoKontakty, 2);
    addRow(5, "lblRunVerze", "Vaše verze programu", cedtRunVerze, 1);
    addRow(6, "lblRunDir", "Váš program je ve složce", cedtRunDir, 2);
    grid->setColumnStretch(2, 1);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({}, {bbtnZpet}));
    FixDialogBorder(*this);
    connect(bbtnZpet, &QPushButton::clicked, this, &QDialog::reject);

    m_NormalText = cedtRunVerze->palette().color(QPalette::Active, QPalette::Text);
    cedtRunVerze->SetText(runVerze);
    cedtRunDir->SetText(WithoutTrailingSeparator(runDir.string()));
}

void TfrmDlgHttpInfo::Execute() {
    m_Info.LoadHttpInfo(m_Settings);
    CentreOnScreen(*this);
    bbtnZpet->setFocus();
    exec();
}

void TfrmDlgHttpInfo::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        Fill();
    QDialog::showEvent(event);
}

void TfrmDlgHttpInfo::Fill() {
    cedtMinVerze->SetText(m_Info.MinVerze);
    cedtAktVerze->SetText(m_Info.Verze);
    cedtInstalSoubor->SetText(m_Info.InstalSoubor);
    // The texts keep CR LF between their lines; the memo breaks at LF.
    memoInstal->setPlainText(Q(m_Info.InstalText).replace("\r\n", "\n"));
    memoInfo->setPlainText(Q(m_Info.InfoText).replace("\r\n", "\n"));
    memoKontakty->setPlainText(Q(m_Info.KontaktyText).replace("\r\n", "\n"));

    // The program itself concludes nothing from the versions; it only makes sure the user sees the difference.
    const bool below = IsVersionBelow(m_RunVerze, m_Info.MinVerze);
    QPalette palette = cedtRunVerze->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, below ? QColor(Qt::red) : m_NormalText);
    cedtRunVerze->setPalette(palette);
    cedtRunVerze->setToolTip(
        below ? QStringLiteral("Vaše verze programu je nižší než minimální požadovaná verze programu.") : QString());
}

} // namespace ndlemo
