#include "transfer/ui/TfrmDlgUploadLemo.h"

#include "TestDesktop.h"
#include "support/ESubroutineError.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDaxEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
QString Q(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

class UploadDialog : public ::testing::Test {
protected:
    void Run(int mode, std::function<void()> script) {
        RunScripted(
            m_Dialog,
            [&] {
                m_Dialog.ShowUploadDialog(mode, m_Places);
                return true;
            },
            std::move(script));
    }
    TDaxEdit* Edit(const char* name) const { return Child<TDaxEdit>(m_Dialog, name); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(m_Dialog, name); }

    TUploadPlaces m_Places{"/srv/upload/FAK_LM01_2024_0001.zip", "/srv/upload/LZ_LM01_20240315.zip", "/srv/upload",
                           "https://www.lemo.cz/upload/index.html"};
    TScriptedMessageBoxes m_Boxes;
    TfrmDlgUploadLemo m_Dialog;
};
} // namespace

TEST_F(UploadDialog, ShowsItsFieldsUnderTheirLabels) {
    Run(0, [&] {
        EXPECT_EQ(m_Dialog.windowTitle(), "Upload Lemo");
        const struct {
            const char* Label;
            const char* Caption;
            const char* Edit;
        } rows[] = {
            {"lblFileName", "Soubor", "cedtFileName"},
            {"lblDir", "Cesta k adresáři uploadu Lemo", "cedtDir"},
            {"lblCAdresa", "Adresa stránky uploadu Lemo", "cedtAdresa"},
        };
        for (const auto& row : rows) {
            const QLabel* label = Child<QLabel>(m_Dialog, row.Label);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), Q(row.Caption));
            EXPECT_EQ(label->buddy(), Edit(row.Edit)) << row.Label;
            EXPECT_TRUE(Edit(row.Edit)->isReadOnly()) << row.Edit;
        }
        const struct {
            const char* Name;
            const char* Caption;
        } buttons[] = {
            {"bbtnOpen", "Otevřít prohlížeč"},
            {"bbtnOpenNew", "Otevřít prohlížeč v novém okně"},
            {"bbtnZpet", "Zpět"},
        };
        for (const auto& button : buttons)
            EXPECT_EQ(Button(button.Name)->text(), Q(button.Caption)) << button.Name;
        Click(m_Dialog, "bbtnZpet");
        EXPECT_FALSE(m_Dialog.isVisible());
    });
}

TEST_F(UploadDialog, OnlyTheSendsModesShowTheirPackage) {
    const struct {
        int Mode;
        const char* FileName; // nullptr: the row is hidden
    } rows[] = {
        {0, nullptr},
        {1, "/srv/upload/FAK_LM01_2024_0001.zip"},
        {10, nullptr},
        {11, "/srv/upload/LZ_LM01_20240315.zip"},
    };
    // Each show refills the one dialog; the modes follow each other as they would in a run.
    for (const auto& row : rows) {
        Run(row.Mode, [&] {
            EXPECT_EQ(Edit("cedtFileName")->isVisible(), row.FileName != nullptr) << row.Mode;
            EXPECT_EQ(Child<QLabel>(m_Dialog, "lblFileName")->isVisible(), row.FileName != nullptr) << row.Mode;
            EXPECT_EQ(Edit("cedtFileName")->Text(), row.FileName ? row.FileName : "") << row.Mode;
            EXPECT_EQ(Edit("cedtDir")->Text(), "/srv/upload/") << row.Mode;
            EXPECT_EQ(Edit("cedtAdresa")->Text(), "https://www.lemo.cz/upload/index.html") << row.Mode;
        });
    }
}

TEST_F(UploadDialog, TheDirectoryGetsOneTrailingSeparator) {
    const struct {
        const char* OutDir;
        const char* Shown;
    } rows[] = {{"/srv/upload", "/srv/upload/"}, {"/srv/upload/", "/srv/upload/"}, {"", ""}};
    for (const auto& row : rows) {
        m_Places.OutDir = row.OutDir;
        Run(0, [&] { EXPECT_EQ(Edit("cedtDir")->Text(), row.Shown) << row.OutDir; });
    }
}

TEST_F(UploadDialog, TheBrowserButtonsWorkOnlyForAnAddressOfAWebPage) {
    const struct {
        const char* Adresa;
        bool Enabled;
    } rows[] = {
        {"https://www.lemo.cz/upload/index.html", true},
        {"file:///srv/lemo/web/upload.htm", true},
        {"", false},
        {"https://www.lemo.cz/upload/", false},
        {"/srv/lemo/web/upload.html", false},
        {"file:///srv/lemo/bin/upload.sh", false},
    };
    for (const auto& row : rows) {
        m_Places.Adresa = row.Adresa;
        Run(0, [&] {
            EXPECT_EQ(Button("bbtnOpen")->isEnabled(), row.Enabled) << row.Adresa;
            EXPECT_EQ(Button("bbtnOpenNew")->isEnabled(), row.Enabled) << row.Adresa;
            // Enter opens the page when it can be opened, else it closes the dialog.
            EXPECT_EQ(Button("bbtnOpen")->isDefault(), row.Enabled) << row.Adresa;
            EXPECT_EQ(Button("bbtnZpet")->isDefault(), !row.Enabled) << row.Adresa;
            // A refused address is still shown, so that the user sees what to correct.
            EXPECT_EQ(Edit("cedtAdresa")->Text(), row.Adresa);
            EXPECT_EQ(Edit("cedtDir")->Text(), "/srv/upload/");
        });
    }
}

TEST_F(UploadDialog, TextsCanBeSelectedAndCopiedButNotChanged) {
    Run(1, [&] {
        QClipboard* clipboard = QApplication::clipboard();
        for (const char* name : {"cedtFileName", "cedtDir", "cedtAdresa"}) {
            TDaxEdit* edit = Edit(name);
            const std::string before = edit->Text();
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(clipboard->text(), Q(before)) << name;
            QTest::keyClicks(edit, "x");
            QTest::keyClick(edit, Qt::Key_Delete);
            EXPECT_EQ(edit->Text(), before) << name;
        }
    });
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(UploadDialog, TheButtonsOpenThePageAndTheDialogStays) {
    TTestDesktop desktop;
    desktop.AddEntry("data/applications/browser.desktop", desktop.AddRecorder("browser") + " %u");
    desktop.AddEntry("data/applications/opener.desktop", desktop.AddRecorder("opener") + " %u");
    desktop.SetDefaults({{"x-scheme-handler/http", "browser.desktop"}, {"x-scheme-handler/https", "opener.desktop"}});
    Run(0, [&] {
        Click(m_Dialog, "bbtnOpen");
        const auto opened = desktop.WaitForRecord("opener");
        ASSERT_TRUE(opened);
        EXPECT_EQ(*opened, std::vector<std::string>{m_Places.Adresa});
        Click(m_Dialog, "bbtnOpenNew");
        const auto started = desktop.WaitForRecord("browser");
        ASSERT_TRUE(started);
        EXPECT_EQ(*started, std::vector<std::string>{m_Places.Adresa});
        EXPECT_TRUE(m_Dialog.isVisible());
    });
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(UploadDialog, ARefusedAddressIsReportedWhenTheOpeningIsAskedForAnyway) {
    m_Places.Adresa = "/srv/lemo/bin/upload.sh";
    m_Dialog.Fill(0, m_Places);
    for (auto open : {&TfrmDlgUploadLemo::OpenUploadPage, &TfrmDlgUploadLemo::OpenUploadPageNewWindow}) {
        try {
            (m_Dialog.*open)();
            ADD_FAILURE() << "nothing raised";
        } catch (const ESubroutineError& e) {
            EXPECT_EQ(e.Message(),
                      "Nepřípustná hodnota \"/srv/lemo/bin/upload.sh\" pro \"Adresa stránky uploadu Lemo\"");
        }
    }
}
