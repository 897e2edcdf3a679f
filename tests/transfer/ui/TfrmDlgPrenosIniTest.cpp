#include "transfer/ui/TfrmDlgPrenosIni.h"

#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/TransferTestSupport.h"
#include "transfer/ui/TransferDialogFixture.h"

#include <QLabel>
#include <QPushButton>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
const char* const EditNames[] = {"cedtNetHost", "cedtNetPort",     "cedtNetDir",          "cedtNetUser",
                                 "cedtNetPkf",  "cedtTestSpojDir", "cedtTestSpojFileName"};

class PrenosIniDialog : public TTransferDialogFixture<TfrmDlgPrenosIni> {
protected:
    void SetUp() override {
        m_Settings.Host = "scp.lemo.cz";
        m_Settings.Port = "22";
        m_Settings.OutDir = "/data/in";
        m_Settings.User = "nd";
        m_Settings.Pkf = "key.ppk";
        m_Settings.TestSpojDir = "/test";
        m_Settings.TestSpojFileName = "test.txt";
        TfrmDlgRequestErr::SetShowHook([this](TfrmDlgRequestErr& dialog) {
            ++m_RequestLists;
            m_RequestTexts += GridTexts(dialog.Grid());
        });
    }
    void TearDown() override { TfrmDlgRequestErr::SetShowHook(nullptr); }
    bool IniExists() const { return std::filesystem::exists(m_Dir.Path() / "NdLemoPrenos.ini"); }

    int m_RequestLists = 0;
    std::string m_RequestTexts;
};
} // namespace

TEST_F(PrenosIniDialog, ShowsTheSettingsReadOnlyAndZpetWritesNothing) {
    bool saved = Run([this] {
        EXPECT_EQ(m_Dialog.windowTitle().toStdString(), "Nastavení přenosu SCP");
        EXPECT_EQ(Edit("cedtNetHost")->Text(), "scp.lemo.cz");
        EXPECT_EQ(Edit("cedtNetPort")->Text(), "22");
        EXPECT_EQ(Edit("cedtTestSpojFileName")->Text(), "test.txt");
        for (const char* name : EditNames)
            EXPECT_TRUE(Edit(name)->isReadOnly()) << name;
        EXPECT_TRUE(Button("bbtnEdit")->isEnabled());
        EXPECT_FALSE(Button("bbtnOK")->isEnabled());
        // Neither the disabled OK nor Enter closes the dialog in view mode.
        Click(m_Dialog, "bbtnOK");
        QTest::keyClick(&m_Dialog, Qt::Key_Return);
        EXPECT_TRUE(m_Dialog.isVisible());
        Click(m_Dialog, "bbtnCancel");
        EXPECT_FALSE(m_Dialog.isVisible());
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(IniExists());
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(PrenosIniDialog, LabelsAndDisplayNamesAreTheCaptions) {
    const struct {
        const char* Label;
        const char* Edit;
        const char* Caption;
        const char* DisplayName;
    } rows[] = {
        {"lblNetHost", "cedtNetHost", "Host", "Host"},
        {"lblNetPort", "cedtNetPort", "Port", "Port"},
        {"lblNetDir", "cedtNetDir", "Vzdálený adresář", "Vzdálený adresář"},
        {"lblNetUser", "cedtNetUser", "Uživatel", "Uživatel"},
        {"lblNetPkf", "cedtNetPkf", "Jméno souboru priv. klíče", "Jméno souboru priv. klíče"},
        {"lblTestSpojDir", "cedtTestSpojDir", "Adresář testu spojení ", "Adresář testu spojení"},
        {"lblTestSpojFileName", "cedtTestSpojFileName", "Jméno souboru testu spoj.", "Jméno souboru testu spoj."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Child<QLabel>(m_Dialog, row.Label)->text().toStdString(), row.Caption);
        EXPECT_EQ(Edit(row.Edit)->DisplayName(), row.DisplayName);
    }
    EXPECT_EQ(Button("bbtnCancel")->text().toStdString(), "Zpět");
    EXPECT_TRUE(Button("bbtnOK")->isDefault());
}

TEST_F(PrenosIniDialog, EditMakesTheFieldsRequiredAndFocusesTheHost) {
    Run([this] {
        Click(m_Dialog, "bbtnEdit");
        for (const char* name : EditNames) {
            EXPECT_FALSE(Edit(name)->isReadOnly()) << name;
            EXPECT_TRUE(Edit(name)->Required()) << name;
        }
        EXPECT_EQ(m_Dialog.focusWidget(), Edit("cedtNetHost"));
        EXPECT_FALSE(Button("bbtnEdit")->isEnabled());
        EXPECT_TRUE(Button("bbtnOK")->isEnabled());
    });
    EXPECT_FALSE(IniExists());
}

TEST_F(PrenosIniDialog, EveryShowingStartsInViewModeAgain) {
    Run([this] { Click(m_Dialog, "bbtnEdit"); });
    Run([this] {
        EXPECT_TRUE(Edit("cedtNetHost")->isReadOnly());
        EXPECT_TRUE(Button("bbtnEdit")->isEnabled());
        EXPECT_FALSE(Button("bbtnOK")->isEnabled());
    });
}

TEST_F(PrenosIniDialog, PortTakesOnlyDigitsUpToEightAndKeepsLeadingZeros) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        TDaxEdit* port = Edit("cedtNetPort");
        Retype(port, "0a0 2-2");
        EXPECT_EQ(port->Text(), "0022");
        QTest::keyClick(port, Qt::Key_Backspace);
        EXPECT_EQ(port->Text(), "002");
        QTest::keyClicks(port, "2123456789");
        EXPECT_EQ(port->Text(), "00221234");
        Retype(port, "0022");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(m_Settings.Port, "0022");
    EXPECT_NE(m_Dir.ReadFile("NdLemoPrenos.ini").find("\r\nPort=0022\r\n"), std::string::npos);
}

TEST_F(PrenosIniDialog, HostWithAnInnerBlankIsRefusedAndNothingIsSaved) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Retype(Edit("cedtNetHost"), " scp lemo.cz ");
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(m_RequestLists, 1);
    EXPECT_NE(m_RequestTexts.find("Nepřípustná hodnota \"scp lemo.cz\" pro \"Host\""), std::string::npos)
        << m_RequestTexts;
    EXPECT_FALSE(IniExists());
    EXPECT_EQ(m_Settings.Host, "scp.lemo.cz");
}

TEST_F(PrenosIniDialog, OuterBlanksAreRemovedSilentlyAndTheFileIsReadBack) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Retype(Edit("cedtNetHost"), "  new.lemo.cz  ");
        Retype(Edit("cedtTestSpojDir"), " /t2 ");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(m_RequestLists, 0);
    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_EQ(m_Settings.Host, "new.lemo.cz");
    EXPECT_EQ(m_Settings.TestSpojDir, "/t2");
    const TransferSettings fromFile = LoadedFromPrenosIni(m_Dir.Path());
    EXPECT_EQ(fromFile.Host, "new.lemo.cz");
    EXPECT_EQ(fromFile.Port, "22");
    EXPECT_EQ(fromFile.OutDir, "/data/in");
    EXPECT_EQ(fromFile.User, "nd");
    EXPECT_EQ(fromFile.Pkf, "key.ppk");
    EXPECT_EQ(fromFile.TestSpojDir, "/t2");
    EXPECT_EQ(fromFile.TestSpojFileName, "test.txt");
}

TEST_F(PrenosIniDialog, AnEmptyFieldIsReportedByItsNameFirstInOrder) {
    const struct {
        std::vector<const char*> Emptied;
        const char* Reported;
    } rows[] = {
        {{"cedtNetHost"}, "Host"},
        {{"cedtNetUser"}, "Uživatel"},
        {{"cedtTestSpojFileName", "cedtNetDir"}, "Vzdálený adresář"},
        {{"cedtTestSpojDir"}, "Adresář testu spojení"},
    };
    for (const auto& row : rows) {
        m_Boxes.Shown.clear();
        bool saved = Run([&] {
            Click(m_Dialog, "bbtnEdit");
            for (const char* name : row.Emptied)
                Edit(name)->clear();
            Click(m_Dialog, "bbtnOK");
            EXPECT_TRUE(m_Dialog.isVisible());
        });
        EXPECT_FALSE(saved);
        ASSERT_EQ(m_Boxes.Shown.size(), 1u) << row.Reported;
        EXPECT_EQ(m_Boxes.Shown[0].Kind, 'W');
        EXPECT_EQ(m_Boxes.Shown[0].Text, std::string("Pole \"") + row.Reported + "\" musí být zadáno");
    }
    EXPECT_EQ(m_RequestLists, 0);
    EXPECT_FALSE(IniExists());
}

TEST_F(PrenosIniDialog, APortThatIsNoWholeNumberGetsAnErrorBoxAndTheFocus) {
    // Pasted or loaded texts can pass the typing filter.
    for (const char* port : {"12x", "99999999999", "+-1"}) {
        m_Boxes.Shown.clear();
        bool saved = Run([&] {
            Click(m_Dialog, "bbtnEdit");
            Edit("cedtNetPort")->setText(port);
            Click(m_Dialog, "bbtnOK");
            EXPECT_TRUE(m_Dialog.isVisible());
            EXPECT_EQ(m_Dialog.focusWidget(), Edit("cedtNetPort"));
        });
        EXPECT_FALSE(saved);
        ASSERT_EQ(m_Boxes.Shown.size(), 1u) << port;
        EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
        EXPECT_EQ(m_Boxes.Shown[0].Text, std::string("Nepřípustná hodnota \"") + port + "\" pro \"Port\"");
    }
    EXPECT_EQ(m_RequestLists, 0);
    EXPECT_FALSE(IniExists());
}

TEST_F(PrenosIniDialog, EveryRefusedValueIsListedInOneRequestList) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Retype(Edit("cedtNetDir"), "/my dir");
        Retype(Edit("cedtNetPkf"), "my key.ppk");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(m_RequestLists, 1);
    size_t dir = m_RequestTexts.find("Nepřípustná hodnota \"/my dir\" pro \"Vzdálený adresář\"");
    size_t pkf = m_RequestTexts.find("Nepřípustná hodnota \"my key.ppk\" pro \"Jméno souboru priv. klíče\"");
    ASSERT_NE(dir, std::string::npos) << m_RequestTexts;
    ASSERT_NE(pkf, std::string::npos) << m_RequestTexts;
    EXPECT_LT(dir, pkf);
    EXPECT_FALSE(IniExists());
}

TEST_F(PrenosIniDialog, TextTypedInViewModeIsNeitherShownNorSaved) {
    bool saved = Run([this] {
        // Tab selects the whole text, so a typed character would replace it.
        Edit("cedtNetHost")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(Edit("cedtNetHost"), "x");
        EXPECT_EQ(Edit("cedtNetHost")->Text(), "scp.lemo.cz");
        Click(m_Dialog, "bbtnEdit");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(LoadedFromPrenosIni(m_Dir.Path()).Host, "scp.lemo.cz");
}

TEST_F(PrenosIniDialog, AValueTheFileCannotHoldIsRefused) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Edit("cedtNetUser")->SetText("jørgen");
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(m_RequestLists, 1);
    EXPECT_NE(m_RequestTexts.find("Nepřípustná hodnota \"jørgen\" pro \"Uživatel\""), std::string::npos)
        << m_RequestTexts;
    EXPECT_FALSE(IniExists());
}

TEST_F(PrenosIniDialog, AFailedSaveIsShownAndKeepsTheDialogAndTheSettings) {
    // A directory where the file should be: nothing can replace it.
    std::filesystem::create_directory(m_Dir.Path() / "NdLemoPrenos.ini");
    const TransferSettings before = m_Settings;
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Retype(Edit("cedtNetHost"), "novy.lemo.cz");
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
        EXPECT_EQ(Edit("cedtNetHost")->Text(), "novy.lemo.cz");
    });
    EXPECT_FALSE(saved);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    // The error box's period rule: the reason ends with a letter.
    EXPECT_EQ(m_Boxes.Shown[0].Text,
              "Soubor \"" + (m_Dir.Path() / "NdLemoPrenos.ini").string() + "\" nelze přečíst: Is a directory.");
    EXPECT_EQ(m_Settings.Host, before.Host);
}
