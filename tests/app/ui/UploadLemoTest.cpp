#include "StartedWindow.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/ui/TfrmDlgUploadLemo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <functional>

using namespace ndlemo;

namespace {
// What the upload dialog showed while it was open.
struct TShown {
    TfrmDlgUploadLemo* Dialog = nullptr;
    bool FileVisible = false;
    std::string File;
    std::string Dir;
    std::string Adresa;
    bool OpenEnabled = false;
};

class UploadLemoWindow : public test::TStartedWindow {
protected:
    void SetUp() override {
        test::TStartedWindow::SetUp();
        // Packages of earlier sends of this run.
        m_Controller.LastUploadFile = (m_Temp.Path() / "upload" / "FAK_LM01.zip").string();
        m_Controller.LastUploadFileLZ = (m_Temp.Path() / "upload" / "LZ_LM01.zip").string();
    }

    // Runs what opens the dialog and reads the dialog while it is open; it is closed with "Zpět".
    TShown WhileShown(const std::function<void()>& open) {
        TShown shown;
        QTimer::singleShot(0, &m_Window, [&] {
            auto* dialog = qobject_cast<TfrmDlgUploadLemo*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown.Dialog = dialog;
            shown.FileVisible = test::Child<TDaxEdit>(*dialog, "cedtFileName")->isVisible();
            shown.File = test::Child<TDaxEdit>(*dialog, "cedtFileName")->Text();
            shown.Dir = test::Child<TDaxEdit>(*dialog, "cedtDir")->Text();
            shown.Adresa = test::Child<TDaxEdit>(*dialog, "cedtAdresa")->Text();
            shown.OpenEnabled = test::Child<QPushButton>(*dialog, "bbtnOpen")->isEnabled();
            test::Click(*dialog, "bbtnZpet");
        });
        open();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        return shown;
    }
};
} // namespace

TEST_F(UploadLemoWindow, TheActionsShowNoPackageOnlyTheSendsDo) {
    const std::string invoice = m_Controller.LastUploadFile;
    const std::string reports = m_Controller.LastUploadFileLZ;
    const struct {
        const char* Name;
        int Tab;
        std::function<void()> Open;
        std::string File; // empty: the file row is hidden
    } rows[] = {
        {"acUploadLemo", 0, [this] { Press(TActionId::acUploadLemo); }, ""},
        {"after an invoice send", 0, [this] { m_Window.ShowUploadDialog(1); }, invoice},
        {"acUploadLemoLZ", 1, [this] { Press(TActionId::acUploadLemoLZ); }, ""},
        {"after a medical-reports send", 1, [this] { m_Window.ShowUploadDialog(11); }, reports},
    };
    TfrmDlgUploadLemo* first = nullptr;
    for (const auto& row : rows) {
        m_Window.PageControl()->setCurrentIndex(row.Tab);
        const TShown shown = WhileShown(row.Open);
        ASSERT_NE(shown.Dialog, nullptr) << row.Name;
        EXPECT_EQ(shown.FileVisible, !row.File.empty()) << row.Name;
        EXPECT_EQ(shown.File, row.File) << row.Name;
        EXPECT_EQ(shown.Dir, (m_Temp.Path() / "upload").string() + "/") << row.Name;
        EXPECT_EQ(shown.Adresa, "file:///upload.html") << row.Name;
        EXPECT_TRUE(shown.OpenEnabled) << row.Name;
        // One dialog for the run, on the main window.
        EXPECT_EQ(shown.Dialog->parentWidget(), &m_Window) << row.Name;
        if (!first)
            first = shown.Dialog;
        EXPECT_EQ(shown.Dialog, first) << row.Name;
    }
    // Showing changes nothing of the run.
    EXPECT_EQ(m_Controller.LastUploadFile, invoice);
    EXPECT_EQ(m_Controller.LastUploadFileLZ, reports);
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(UploadLemoWindow, SwitchingToScpDisablesBothActionsAndTheStatusBarSaysSo) {
    auto* panel = Find<QLabel>("StatusBarPrijPanel3");
    EXPECT_EQ(panel->text(), "Upload Lemo");
    EXPECT_TRUE(m_Window.Action(TActionId::acUploadLemo)->isEnabled());

    QTimer::singleShot(0, &m_Window, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        test::Click(*dialog, "bbtnEdit");
        test::Child<TDaxComboBox>(*dialog, "ccbTypPrenosu")->setCurrentIndex(0);
        // The installation leaves the customer of the invoice printout to be filled in.
        test::Child<TDaxCheckBox>(*dialog, "cchbDefaultGenerFak")->setChecked(false);
        test::Click(*dialog, "bbtnOK");
        if (dialog->isVisible())
            static_cast<QDialog*>(dialog)->reject();
    });
    Press(TActionId::acDlgAppIni);
    EXPECT_TRUE(m_Boxes.Shown.empty()) << m_Boxes.Shown.front().Text;
    EXPECT_EQ(m_Controller.Settings.TypPrenosu.Text(), "SCP");
    EXPECT_EQ(panel->text(), QString::fromUtf8("Přenos SCP"));
    for (int tab : {0, 1}) {
        m_Window.PageControl()->setCurrentIndex(tab);
        m_Window.UpdateActions();
        EXPECT_FALSE(m_Window.Action(TActionId::acUploadLemo)->isEnabled()) << tab;
        EXPECT_FALSE(m_Window.Action(TActionId::acUploadLemoLZ)->isEnabled()) << tab;
    }
}
