#pragma once

#include <QFileDialog>

#include <filesystem>
#include <string>

namespace ndlemo {

// The file-selection dialog "Výběr souboru": Qt's own file dialog opened in a directory with a filter of
// patterns (matched regardless of letter case), closing with OK only on an existing file. It never changes
// the file system: renaming, deleting and new folders are off.
class TfrmPrijemOpenDlg : public QFileDialog {
    Q_OBJECT
public:
    // filter: patterns separated by ";", e.g. "*.pdf;*.doc"; empty shows every file.
    TfrmPrijemOpenDlg(const std::filesystem::path& startDir, const std::string& filter, QWidget* parent = nullptr);

    // The chosen file after the dialog closed with OK.
    [[nodiscard]] std::filesystem::path ChosenFile() const;

public slots:
    // OK: a file that does not exist (any more) keeps the dialog open; a directory is opened.
    void accept() override;

private:
    QString m_Chosen;
};

} // namespace ndlemo
