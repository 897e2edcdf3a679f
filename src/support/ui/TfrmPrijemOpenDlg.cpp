#include "support/ui/TfrmPrijemOpenDlg.h"

#include <QFile>
#include <QFileInfo>

namespace ndlemo {

namespace {
QString FromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
} // namespace

TfrmPrijemOpenDlg::TfrmPrijemOpenDlg(const std::filesystem::path& startDir, const std::string& filter, QWidget* parent)
    : QFileDialog(parent, QStringLiteral("Výběr souboru"), FromPath(startDir)) {
    setObjectName(QStringLiteral("frmPrijemOpenDlg"));
    // Qt's own dialog on every platform: it keeps this contract, and the tests drive the same dialog.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ReadOnly);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::LookIn, QStringLiteral("Adresář:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("Soubor:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("Soubory typu:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("Ok"));
    setLabelText(QFileDialog::Reject, QStringLiteral("Zpět"));
    QStringList patterns;
    for (const QString& pattern : QString::fromStdString(filter).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!pattern.trimmed().isEmpty())
            patterns << pattern.trimmed();
    if (!patterns.isEmpty())
        setNameFilter(patterns.join(QLatin1Char(' ')));
}

std::filesystem::path TfrmPrijemOpenDlg::ChosenFile() const {
    return m_Chosen.isEmpty() ? std::filesystem::path() : ToPath(m_Chosen);
}

void TfrmPrijemOpenDlg::accept() {
    // The selection may hold the directory shown besides the file typed or picked; the file counts.
    QStringList existing;
    bool directory = false;
    for (const QString& name : selectedFiles()) {
        const QFileInfo info(name);
        if (info.isFile())
            existing << info.absoluteFilePath();
        else if (info.isDir())
            directory = true;
    }
    if (existing.size() == 1) {
        m_Chosen = existing.first();
        QDialog::accept();
    } else if (existing.isEmpty() && directory) {
        QFileDialog::accept(); // opens the directory
    }
}

} // namespace ndlemo
