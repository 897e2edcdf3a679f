#include "support/ui/TfrmPrijemOpenDlg.h"

#include "platform/Platform.h"
#include "support/TFileChooser.h"
#include "support/ui/TQtFileChooser.h"

#include "TestTempDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {

// Runs SelectFile with the program's chooser while the script works the dialog from inside its modal loop.
// A dialog still open afterwards is cancelled, so that a failing script never blocks.
bool RunChooser(const std::string& initialDir, const std::string& mask, fs::path& file,
                const std::function<void(TfrmPrijemOpenDlg&)>& script) {
    TQtFileChooser chooser;
    TFileChooser::Install(&chooser);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmPrijemOpenDlg*>(QApplication::activeModalWidget());
        EXPECT_NE(dialog, nullptr) << "the dialog was not shown";
        if (!dialog)
            return;
        ran = true;
        script(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    const bool chosen = SelectFile(initialDir, mask, file);
    TFileChooser::Install(nullptr);
    EXPECT_TRUE(ran);
    return chosen;
}

void TypeName(TfrmPrijemOpenDlg& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The names the dialog lists in its directory once the directory is read (the model reads it in a thread).
QStringList Listed(TfrmPrijemOpenDlg& dialog, const fs::path& dir) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(QString::fromStdString(dir.string()));
    for (int i = 0; i < 500 && model->rowCount(root) == 0; ++i)
        QTest::qWait(10);
    QStringList names;
    for (int r = 0; r < model->rowCount(root); ++r) {
        const QModelIndex index = model->index(r, 0, root);
        if (model->flags(index) & Qt::ItemIsEnabled)
            names << model->fileName(index);
    }
    names.sort();
    return names;
}

class OpenDialogTest : public testing::Test {
protected:
    void SetUp() override {
        m_Temp.WriteFile("scan.PDF", "x");
        m_Temp.WriteFile("zprava.pdf", "x");
        m_Temp.WriteFile("davka.333", "x");
    }
    test::TTestTempDir m_Temp{"open"};
    const fs::path m_Dir = m_Temp.Path();
};

TEST_F(OpenDialogTest, ListsTheFilterRegardlessOfCaseAndGivesTheChosenFile) {
    const fs::path cwd = platform::CurrentDirectory();
    fs::path file;
    QStringList listed;
    const bool chosen = RunChooser(m_Dir.string(), " *.pdf;*.doc ", file, [&](TfrmPrijemOpenDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Výběr souboru"));
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), m_Dir.string());
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("*.pdf *.doc")});
        listed = Listed(dialog, m_Dir);
        TypeName(dialog, QStringLiteral("scan.PDF"));
    });
    EXPECT_EQ(listed, (QStringList{QStringLiteral("scan.PDF"), QStringLiteral("zprava.pdf")}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(file, m_Dir / "scan.PDF");
    EXPECT_EQ(platform::CurrentDirectory(), cwd);
}

TEST_F(OpenDialogTest, OnlyAnExistingFileClosesTheDialog) {
    fs::path file;
    bool stayedOpen = false;
    const bool chosen = RunChooser(m_Dir.string(), "*.pdf", file, [&](TfrmPrijemOpenDlg& dialog) {
        TypeName(dialog, QStringLiteral("chybi.pdf"));
        stayedOpen = dialog.isVisible();
        // A file that vanishes after it was chosen keeps the dialog open as well.
        m_Temp.WriteFile("mizi.pdf", "x");
        TypeName(dialog, QStringLiteral("mizi.pdf"));
        EXPECT_FALSE(dialog.isVisible()) << dialog.selectedFiles().join(QLatin1Char(',')).toStdString();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(file, m_Dir / "mizi.pdf");

    // Zpět chooses nothing.
    fs::path none;
    EXPECT_FALSE(RunChooser(m_Dir.string(), "*.pdf", none, [](TfrmPrijemOpenDlg& dialog) {
        auto* box = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zpět"));
        QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    }));
    EXPECT_TRUE(none.empty());
}

// Choosing a file must never change a file: the dialog offers no renaming, deleting or new folders.
TEST_F(OpenDialogTest, TheDialogChangesNoFile) {
    fs::path file;
    RunChooser(m_Dir.string(), "*.pdf", file, [&](TfrmPrijemOpenDlg& dialog) {
        EXPECT_TRUE(dialog.testOption(QFileDialog::ReadOnly));
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        EXPECT_TRUE(model->isReadOnly());
    });
    EXPECT_TRUE(fs::exists(m_Dir / "scan.PDF"));
}

} // namespace
