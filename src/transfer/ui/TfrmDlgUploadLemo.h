#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

namespace ndlemo {

class TDaxEdit;

// What the upload dialog shows: the packages last placed for upload, the upload directory and the page address.
struct TUploadPlaces {
    std::string LastUploadFile;   // the invoice package, shown in mode 1
    std::string LastUploadFileLZ; // the medical-reports package, shown in mode 11
    std::string OutDir;
    std::string Adresa;
};

// "Upload Lemo": where a package for web upload lies and the insurer's page to hand it in on, which the dialog
// opens in the browser. Every text is read-only and can be selected and copied. The dialog lives for the run;
// every ShowUploadDialog refills it.
class TfrmDlgUploadLemo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDlgUploadLemo(QWidget* parent = nullptr);

    // Fills the dialog and shows it modally. Mode 1 shows the invoice package, mode 11 the medical-reports
    // package; modes 0 and 10 (the actions) show no package. The browser buttons work only for an address that
    // IsUploadPageAddress accepts. Closing changes nothing.
    void ShowUploadDialog(int mode, const TUploadPlaces& places);
    // The filling part of ShowUploadDialog.
    void Fill(int mode, const TUploadPlaces& places);

    // The handlers of "Otevřít prohlížeč" and "Otevřít prohlížeč v novém okně" (see UploadPage.h). Raise
    // ESubroutineError for a refused address.
    void OpenUploadPage();
    void OpenUploadPageNewWindow();

private:
    // A button's handler: a failure is shown, never passed to the event loop.
    void Guarded(void (TfrmDlgUploadLemo::*handler)());

    std::string m_Adresa;
    QLabel* lblFileName;
    TDaxEdit* cedtFileName;
    TDaxEdit* cedtDir;
    TDaxEdit* cedtAdresa;
    QPushButton* bbtnOpen;
    QPushButton* bbtnOpenNew;
    QPushButton* bbtnZpet;
};

} // namespace ndlemo
