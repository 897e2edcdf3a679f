#include "transfer/ui/TfrmDlgHttpInfo.h"

#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/TextCodec.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDaxEdit.h"
#include "transfer/HttpTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <memory>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
QString Q(const char* text) {
    return QString::fromUtf8(text);
}

// Counts how often a widget was shown.
class TShowCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++Shows;
        return false;
    }
    int Shows = 0;
};

// The web server with the information file, every proxy variable pointing nowhere, and settings that name the file.
class HttpInfoDialog : public ::testing::Test {
protected:
    void SetUp() override {
        m_Server.WriteFile("info.ini", InfoFileBytes());
        m_Server.Start();
        m_Settings.HttpAdresa = m_Server.Url("/");
        m_Settings.HttpInfoFileName = "info.ini";
    }

    // A dialog for a program of the given version in "/opt/lemo/" (shown without its final "/").
    TfrmDlgHttpInfo& Dialog(const std::string& runVerze = "1.4.2.17") {
        m_Dialog = std::make_unique<TfrmDlgHttpInfo>(m_Settings, runVerze, "/opt/lemo/");
        return *m_Dialog;
    }
    bool Run(TfrmDlgHttpInfo& dialog, std::function<void()> script) {
        return RunScripted(
            dialog,
            [&dialog] {
                dialog.Execute();
                return true;
            },
            std::move(script));
    }
    static TDaxEdit* Edit(const TfrmDlgHttpInfo& dialog, const char* name) { return Child<TDaxEdit>(dialog, name); }
    static QPlainTextEdit* Memo(const TfrmDlgHttpInfo& dialog, const char* name) {
        return Child<QPlainTextEdit>(dialog, name);
    }
    static bool Marked(const TfrmDlgHttpInfo& dialog) {
        const TDaxEdit* edit = Edit(dialog, "cedtRunVerze");
        const bool red = edit->palette().color(QPalette::Active, QPalette::Text) == QColor(Qt::red);
        EXPECT_EQ(red, !edit->toolTip().isEmpty());
        return red;
    }

    TTestTempDir m_Dir{"httpdlg"};
    TDeadProxyEnvironment m_Environment;
    THttpTestServer m_Server{m_Dir.Path() / "web"};
    TransferSettings m_Settings;
    TScriptedMessageBoxes m_Boxes;
    std::unique_ptr<TfrmDlgHttpInfo> m_Dialog;
};
} // namespace

TEST_F(HttpInfoDialog, ShowsTheFetchedFileBesideTheRunningProgramReadOnly) {
    TfrmDlgHttpInfo& dialog = Dialog();
    Run(dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), Q("Info Lemo (http)"));
        struct TRow {
            const char* Label;
            const char* Caption;
            const char* Control;
        };
        const TRow rows[] = {
            {"lblMinVerze", "Minimální požadovaná verze programu", "cedtMinVerze"},
            {"lblAktVerze", "Aktuální uvolněná verze programu", "cedtAktVerze"},
            {"lblInstal", "Instalace", "memoInstal"},
            {"lblInfo", "Info", "memoInfo"},
            {"lblKontakty", "Kontakty", "memoKontakty"},
            {"lblRunVerze", "Vaše verze programu", "cedtRunVerze"},
            {"lblRunDir", "Váš program je ve složce", "cedtRunDir"},
        };
        for (const TRow& row : rows) {
            const QLabel* label = Child<QLabel>(dialog, row.Label);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), Q(row.Caption));
            EXPECT_EQ(label->buddy(), Child<QWidget>(dialog, row.Control)) << row.Label;
        }
        EXPECT_EQ(Edit(dialog, "cedtMinVerze")->Text(), "1.2.0.0");
        EXPECT_EQ(Edit(dialog, "cedtAktVerze")->Text(), "1.4.2.17");
        EXPECT_EQ(Edit(dialog, "cedtInstalSoubor")->Text(), "http://info.lemo.cz/ndlemo/NdLemoSetup_1_4_2.exe");
        EXPECT_EQ(Memo(dialog, "memoInstal")->toPlainText(),
                  Q("Stáhněte instalační soubor a spusťte jej.\n\nNastavení a odeslané dávky zůstanou zachovány."));
        EXPECT_EQ(Memo(dialog, "memoInfo")->toPlainText(),
                  Q("Od 1. ledna přijímáme dávky jen s novými číselníky.\nZměny najdete na webu pojišťovny."));
        EXPECT_EQ(Memo(dialog, "memoKontakty")->blockCount(), 4);
        EXPECT_EQ(Edit(dialog, "cedtRunVerze")->Text(), "1.4.2.17");
        EXPECT_EQ(Edit(dialog, "cedtRunDir")->Text(), "/opt/lemo");
        for (const char* name : {"cedtMinVerze", "cedtAktVerze", "cedtInstalSoubor", "cedtRunVerze", "cedtRunDir"})
            EXPECT_TRUE(Edit(dialog, name)->isReadOnly()) << name;
        for (const char* name : {"memoInstal", "memoInfo", "memoKontakty"}) {
            const QPlainTextEdit* memo = Memo(dialog, name);
            EXPECT_TRUE(memo->isReadOnly()) << name;
            EXPECT_TRUE(memo->horizontalScrollBar()->isVisible()) << name;
            EXPECT_TRUE(memo->verticalScrollBar()->isVisible()) << name;
        }
        EXPECT_FALSE(Marked(dialog));
        Click(dialog, "bbtnZpet");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(HttpInfoDialog, TextsCanBeSelectedAndCopiedFromTheKeyboard) {
    TfrmDlgHttpInfo& dialog = Dialog();
    Run(dialog, [&] {
        QClipboard* clipboard = QApplication::clipboard();
        QPlainTextEdit* memo = Memo(dialog, "memoInfo");
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(),
                  Q("Od 1. ledna přijímáme dávky jen s novými číselníky.\nZměny najdete na webu pojišťovny."));

        TDaxEdit* edit = Edit(dialog, "cedtInstalSoubor");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(), Q("http://info.lemo.cz/ndlemo/NdLemoSetup_1_4_2.exe"));
        // Nothing typed changes a text.
        QTest::keyClicks(memo, "x");
        QTest::keyClicks(edit, "x");
        EXPECT_EQ(edit->Text(), "http://info.lemo.cz/ndlemo/NdLemoSetup_1_4_2.exe");
        EXPECT_FALSE(memo->toPlainText().contains('x'));
    });
}

TEST_F(HttpInfoDialog, EveryShowFetchesAgainAndTheRunningProgramStays) {
    TfrmDlgHttpInfo& dialog = Dialog("1.1.0.0");
    Run(dialog, [&] {
        EXPECT_EQ(Edit(dialog, "cedtMinVerze")->Text(), "1.2.0.0");
        EXPECT_TRUE(Marked(dialog));
    });
    m_Server.WriteFile(
        "info.ini", Utf8ToCp1250("[General]\r\nMinVerze=1.0.0.0\r\n[Info]\r\nPocetRadku=1\r\nRadek01=Nic nového\r\n"));
    Run(dialog, [&] {
        EXPECT_EQ(Edit(dialog, "cedtMinVerze")->Text(), "1.0.0.0");
        EXPECT_EQ(Edit(dialog, "cedtAktVerze")->Text(), "");
        EXPECT_EQ(Memo(dialog, "memoInfo")->toPlainText(), Q("Nic nového"));
        EXPECT_EQ(Memo(dialog, "memoInstal")->toPlainText(), "");
        EXPECT_EQ(Edit(dialog, "cedtRunVerze")->Text(), "1.1.0.0");
        EXPECT_EQ(Edit(dialog, "cedtRunDir")->Text(), "/opt/lemo");
        EXPECT_FALSE(Marked(dialog));
    });
    EXPECT_EQ(m_Server.Requests().size(), 2u);
}

TEST_F(HttpInfoDialog, ARunningVersionBelowTheMinimumIsMarked) {
    struct TRow {
        const char* RunVerze;
        bool Marked;
    };
    // The file's minimum is 1.2.0.0.
    const TRow rows[] = {
        {"1.1.9.9", true}, {"1.2.0.0", false}, {"1.10.0.0", false}, {"0.0.0.0", true}, {"neznámá", false},
    };
    for (const TRow& row : rows) {
        TfrmDlgHttpInfo& dialog = Dialog(row.RunVerze);
        Run(dialog, [&] { EXPECT_EQ(Marked(dialog), row.Marked) << row.RunVerze; });
    }
}

TEST_F(HttpInfoDialog, AFailingFetchRaisesAndTheDialogDoesNotOpen) {
    m_Settings.HttpInfoFileName = "missing.ini";
    TfrmDlgHttpInfo& dialog = Dialog();
    TShowCounter shows;
    dialog.installEventFilter(&shows);
    try {
        dialog.Execute();
        ADD_FAILURE() << "nothing raised";
    } catch (const ESubroutineError& e) {
        EXPECT_EQ(e.Message(),
                  "Nelze otevřít URL: \"" + m_Server.Url("/missing.ini") + "\", chyba: \"HttpQueryInfo Status 404\"");
    }
    QApplication::processEvents();
    EXPECT_EQ(shows.Shows, 0);
    EXPECT_FALSE(dialog.isVisible());
}
