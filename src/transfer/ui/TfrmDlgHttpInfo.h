#pragma once

#ifndef Q_MOC_RUN // moc of Qt 6.4 cannot read the C++20 headers these pull in
#include "transfer/THttpInfo.h"
#endif

#include <QColor>
#include <QDialog>
#include <filesystem>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace ndlemo {

class TDaxEdit;

// "Info Lemo (http)": what the insurer publishes about the program beside the running program's version and
// directory. Everything is read-only; texts can be selected and copied. A running version below the published
// minimum is marked.
class TfrmDlgHttpInfo : public QDialog {
    Q_OBJECT
public:
    // runVerze and runDir describe the running program; they are shown as given.
    TfrmDlgHttpInfo(const TransferSettings& settings, const std::string& runVerze, const std::filesystem::path& runDir,
                    QWidget* parent = nullptr);

    // Fetches the information file of the settings and shows it modally. Raises ESubroutineError when the fetch
    // fails; the dialog does not open then.
    void Execute();

protected:
    // Every show fills the fields from the last fetch.
    void showEvent(QShowEvent* event) override;

private:
    void Fill();

    const TransferSettings& m_Settings;
    THttpInfo m_Info;
    std::string m_RunVerze;
    QColor m_NormalText;

    TDaxEdit* cedtMinVerze;
    TDaxEdit* cedtAktVerze;
    TDaxEdit* cedtInstalSoubor;
    QPlainTextEdit* memoInstal;
    QPlainTextEdit* memoInfo;
    QPlainTextEdit* memoKontakty;
    TDaxEdit* cedtRunVerze;
    TDaxEdit* cedtRunDir;
    QPushButton* bbtnZpet;
};

} // namespace ndlemo
