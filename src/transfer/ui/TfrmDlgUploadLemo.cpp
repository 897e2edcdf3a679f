#include "transfer/ui/TfrmDlgUploadLemo.h"

#include "support/TMessageBoxes.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogParts.h"
#include "support/ui/DialogPlacement.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/UploadPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace ndlemo {

namespace {
TDaxEdit* NewDisplayEdit(const char* name, const char* displayName, QWidget* parent) {
    auto* edit = new TDaxEdit(name, parent);
    edit->SetDisplayName(displayName);
    // Room for a usual path; a longer text scrolls and can still be selected whole.
    edit->setMinimumWidth(480);
    return edit;
}

std::string WithTrailingSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += std::filesystem::path::preferred_separator;
    return dir;
}
} // namespace

TfrmDlgUploadLemo::TfrmDlgUploadLemo(QWidget* parent) : QDialog(parent) {
    setObjectName("frmDlgUploadLemo");
    setWindowTitle(QStringLiteral("Upload Lemo"));

    cedtFileName = NewDisplayEdit("cedtFileName", "Soubor", this);
    cedtDir = NewDisplayEdit("cedtDir", "Cesta k adresáři uploadu Lemo", this);
    cedtAdresa = NewDisplayEdit("cedtAdresa", UploadPageCaption, this);
    bbtnOpen = NewPushButton("bbtnOpen", "Otevřít prohlížeč", this);
    bbtnOpenNew = NewPushButton("bbtnOpenNew", "Otevřít prohlížeč v novém okně", this);
    bbtnZpet = NewPushButton("bbtnZpet", "Zpět", this);
    MarkCancelButton(bbtnZpet);

    auto* grid = new QGridLayout;
    lblFileName = NewBuddyLabel("lblFileName", "Soubor", cedtFileName, this);
    grid->addWidget(lblFileName, 0, 0);
    grid->addWidget(cedtFileName, 0, 1);
    grid->addWidget(NewBuddyLabel("lblDir", "Cesta k adresáři uploadu Lemo", cedtDir, this), 1, 0);
    grid->addWidget(cedtDir, 1, 1);
    grid->addWidget(NewBuddyLabel("lblCAdresa", UploadPageCaption, cedtAdresa, this), 2, 0);
    grid->addWidget(cedtAdresa, 2, 1);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(NewButtonRow({bbtnOpen, bbtnOpenNew}, {bbtnZpet}));
    FixDialogBorder(*this);

    connect(bbtnOpen, &QPushButton::clicked, this, [this] { Guarded(&TfrmDlgUploadLemo::OpenUploadPage); });
    connect(bbtnOpenNew, &QPushButton::clicked, this, [this] { Guarded(&TfrmDlgUploadLemo::OpenUploadPageNewWindow); });
    connect(bbtnZpet, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDlgUploadLemo::Fill(int mode, const TUploadPlaces& places) {
    for (TDaxEdit* edit : {cedtFileName, cedtDir, cedtAdresa})
        SetControlState(edit, TCompType::ReadOnly);
    const bool withFile = mode == 1 || mode == 11;
    cedtFileName->SetText(mode == 1 ? places.LastUploadFile : mode == 11 ? places.LastUploadFileLZ : std::string());
    cedtFileName->setVisible(withFile);
    lblFileName->setVisible(withFile);
    cedtDir->SetText(WithTrailingSeparator(places.OutDir));
    cedtAdresa->SetText(places.Adresa);
    m_Adresa = places.Adresa;

    // A refused address stays on show, to be corrected in the settings, but is never opened.
    const bool openable = IsUploadPageAddress(m_Adresa);
    bbtnOpen->setEnabled(openable);
    bbtnOpenNew->setEnabled(openable);
    bbtnOpen->setDefault(openable);
    bbtnZpet->setDefault(!openable);
    (openable ? bbtnOpen : bbtnZpet)->setFocus();
}

void TfrmDlgUploadLemo::ShowUploadDialog(int mode, const TUploadPlaces& places) {
    Fill(mode, places);
    CentreOnScreen(*this);
    exec();
}

void TfrmDlgUploadLemo::OpenUploadPage() {
    ndlemo::OpenUploadPage(m_Adresa);
}

void TfrmDlgUploadLemo::OpenUploadPageNewWindow() {
    ndlemo::OpenUploadPageNewWindow(m_Adresa);
}

void TfrmDlgUploadLemo::Guarded(void (TfrmDlgUploadLemo::*handler)()) {
    try {
        (this->*handler)();
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

} // namespace ndlemo
