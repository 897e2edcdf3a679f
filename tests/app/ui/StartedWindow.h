#pragma once

#include "app/TPrijemController.h"
#include "app/ui/TfrmPrijem.h"
#include "invoice/TdtmPrijem.h"
#include "support/TScriptedFileChooser.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/TextCodec.h"
#include "support/ui/WidgetTestSupport.h"

#include "TestTempDir.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace ndlemo::test {

// Settings that pass their checks, in upload mode, with the invoice prefills, for an installation in dir with
// the directories davky, odeslane and upload.
inline std::string InstallationIni(const std::filesystem::path& dir) {
    const std::string d = dir.string();
    return "[General]\r\nPracoviste=LM01\r\nDirDavky=" + d + "/davky\r\nDirOdeslane=" + d +
           "/odeslane\r\nIntSplatnosti=30\r\nDefaultICZ=12345678\r\nDefaultICO=87654321\r\n"
           "DefaultCisloUctu=123456789\r\nDefaultKodBanky=0100\r\nTypPrenosu=UPLOAD\r\n"
           "[UploadLemo]\r\nAdresa=file:///upload.html\r\nOutDir=" +
           d +
           "/upload\r\n[FakturaInfo]\r\nDefaultGenerovat=A\r\nDefaultDodNazev=Poliklinika Lemo\r\n"
           "DefaultDodUlice=Nádražní 12\r\nDefaultDodPsc=11000\r\nDefaultDodObec=Praha\r\n";
}

// The main window after a real start-up on a small installation of its own: settings with prefills, the
// working directories, a batch directory with a few files; today is 15.03.2024. Message boxes and the file
// chooser are scripted.
class TStartedWindow : public testing::Test {
protected:
    TStartedWindow() : m_Region(TDateTime::FromParts(2024, 3, 15, 9, 0, 0)) {}

    void SetUp() override {
        for (const char* dir : {"davky", "odeslane", "upload"})
            std::filesystem::create_directories(m_Temp.Path() / dir);
        m_Temp.WriteFile("NdLemo.ini", Utf8ToCp1250(Ini()));
        BeforeStart();
        m_Window.Login = [] { return TLoginResult{true, "novak", "LM01"}; };
        ASSERT_TRUE(m_Controller.StartUp(m_Window));
        ASSERT_TRUE(ShowActive(m_Window));
        m_Window.UpdateActions();
    }

    // The settings file's text (UTF-8; written as Windows-1250).
    virtual std::string Ini() const { return InstallationIni(m_Temp.Path()); }
    // What a test prepares before the start-up runs.
    virtual void BeforeStart() {}

    // A file in the batch directory.
    std::filesystem::path Batch(const std::string& name, const std::string& bytes = "x") {
        m_Temp.WriteFile("davky/" + name, bytes);
        return m_Temp.Path() / "davky" / name;
    }
    bool InWork(const std::string& name) const { return std::filesystem::exists(m_Controller.DirPracovni / name); }

    template <typename T = QWidget> T* Find(const char* name) {
        T* child = m_Window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // Types into a field entered by keyboard, then leaves it with Tab.
    void Type(const char* name, const QString& keys) {
        QWidget* field = Find(name);
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, keys);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    // Presses an action the way its button does.
    void Press(TActionId id) {
        m_Window.UpdateActions();
        m_Window.Action(id)->trigger();
    }

    TFixedRegion m_Region;
    TTestTempDir m_Temp{"window"};
    TScriptedMessageBoxes m_Boxes;
    TScriptedFileChooser m_Chooser;
    TPrijemController m_Controller{m_Temp.Path(), m_Temp.Path() / "NdLemo"};
    TdtmPrijem m_Dtm;
    TfrmPrijem m_Window{m_Controller, m_Dtm};
};

} // namespace ndlemo::test
