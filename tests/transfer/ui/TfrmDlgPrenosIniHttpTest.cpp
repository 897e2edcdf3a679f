#include "transfer/ui/TfrmDlgPrenosIniHttp.h"

#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/TransferTestSupport.h"
#include "transfer/ui/TfrmDlgProxy.h"
#include "transfer/ui/TransferDialogFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
class PrenosIniHttpDialog : public TTransferDialogFixture<TfrmDlgPrenosIniHttp> {
protected:
    void SetUp() override {
        m_Settings.HttpAdresa = "http://info.lemo.cz/";
        m_Settings.HttpInfoFileName = "info.ini";
    }
    bool Exists(const char* file) const { return std::filesystem::exists(m_Dir.Path() / file); }
};
} // namespace

TEST_F(PrenosIniHttpDialog, ShowsTheSettingsReadOnlyAndZpetWritesNothing) {
    bool saved = Run([this] {
        EXPECT_EQ(m_Dialog.windowTitle().toStdString(), "Nastavení pro Info Lemo ");
        EXPECT_EQ(Child<QLabel>(m_Dialog, "lblHttpInfoFileName")->text().toStdString(), "Http jméno souboru ");
        EXPECT_EQ(Edit("cedtHttpAdresa")->Text(), "http://info.lemo.cz/");
        EXPECT_EQ(Edit("cedtHttpInfoFileName")->Text(), "info.ini");
        EXPECT_TRUE(Edit("cedtHttpAdresa")->isReadOnly());
        EXPECT_TRUE(Edit("cedtHttpInfoFileName")->isReadOnly());
        EXPECT_TRUE(Button("bbtnEdit")->isEnabled());
        EXPECT_FALSE(Button("bbtnOK")->isEnabled());
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
        QTest::keyClick(&m_Dialog, Qt::Key_Escape);
        EXPECT_FALSE(m_Dialog.isVisible());
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(Exists("NdLemoPrenos.ini"));
}

TEST_F(PrenosIniHttpDialog, EditThenOkSavesTrimmedAndKeepsTheScpSection) {
    SavePrenosIni(m_Dir.Path(), WithScpValues({"h", "22", "/o", "u", "k", "/t", "f"}));
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        EXPECT_EQ(m_Dialog.focusWidget(), Edit("cedtHttpAdresa"));
        EXPECT_TRUE(Edit("cedtHttpAdresa")->Required());
        EXPECT_TRUE(Edit("cedtHttpInfoFileName")->Required());
        Retype(Edit("cedtHttpAdresa"), " http://new.lemo.cz/info/ ");
        Retype(Edit("cedtHttpInfoFileName"), " verze.ini");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(m_Settings.HttpAdresa, "http://new.lemo.cz/info/");
    EXPECT_EQ(m_Settings.HttpInfoFileName, "verze.ini");
    const TransferSettings fromFile = LoadedFromPrenosIni(m_Dir.Path());
    EXPECT_EQ(fromFile.Host, "h");
    EXPECT_EQ(fromFile.TestSpojFileName, "f");
    EXPECT_EQ(fromFile.HttpAdresa, "http://new.lemo.cz/info/");
    EXPECT_EQ(fromFile.HttpInfoFileName, "verze.ini");
}

TEST_F(PrenosIniHttpDialog, AnEmptyFieldKeepsTheDialogOpen) {
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Edit("cedtHttpInfoFileName")->clear();
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
    });
    EXPECT_FALSE(saved);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'W');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Pole \"Http jméno souboru\" musí být zadáno");
    EXPECT_FALSE(Exists("NdLemoPrenos.ini"));
}

TEST_F(PrenosIniHttpDialog, ProxyWorksInViewModeAndSavesOnItsOwnOk) {
    TfrmDlgProxy& proxy = m_Dialog.ProxyDialog();
    bool saved = Run([&] {
        QTimer::singleShot(0, &proxy, [&] {
            EXPECT_TRUE(proxy.isVisible());
            Child<QCheckBox>(proxy, "chbProxy")->setChecked(true);
            Retype(Child<TDaxEdit>(proxy, "cedtProxy"), " proxy.local:3128 ");
            Retype(Child<TDaxEdit>(proxy, "cedtUserName"), " jan ");
            Retype(Child<QLineEdit>(proxy, "cedtPassword"), "tajne");
            Click(proxy, "bbtnOK");
            if (proxy.isVisible())
                proxy.reject();
        });
        Click(m_Dialog, "bbtnProxy");
        EXPECT_FALSE(proxy.isVisible());
        EXPECT_TRUE(m_Dialog.isVisible());
        Click(m_Dialog, "bbtnCancel");
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(Exists("NdLemoPrenos.ini"));
    EXPECT_TRUE(m_Settings.ProxyUse);
    EXPECT_EQ(m_Settings.ProxyHost, "proxy.local:3128");
    EXPECT_EQ(m_Settings.ProxyUser, "jan");
    EXPECT_EQ(m_Settings.ProxyPassword, "tajne");
    EXPECT_EQ(m_Dir.ReadFile("NdLemoProxy.ini"), "[General]\r\nUse=1\r\nHost=proxy.local:3128\r\n");
}

TEST_F(PrenosIniHttpDialog, AddressesAndProxiesTheFilesCannotHoldAreRefused) {
    int lists = 0;
    std::string texts;
    TfrmDlgRequestErr::SetShowHook([&](TfrmDlgRequestErr& dialog) {
        ++lists;
        texts += GridTexts(dialog.Grid());
    });
    bool saved = Run([this] {
        Click(m_Dialog, "bbtnEdit");
        Retype(Edit("cedtHttpAdresa"), "http://info.lemo.cz/ø/");
        Click(m_Dialog, "bbtnOK");
        EXPECT_TRUE(m_Dialog.isVisible());
        Retype(Edit("cedtHttpAdresa"), "http://info.lemo.cz/");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(lists, 1);
    EXPECT_NE(texts.find("Nepřípustná hodnota \"http://info.lemo.cz/ø/\" pro \"Http adresa\""), std::string::npos)
        << texts;

    TfrmDlgProxy& proxy = m_Dialog.ProxyDialog();
    saved = RunScripted(
        proxy, [&proxy] { return proxy.Execute(); },
        [&proxy] {
            Retype(Child<TDaxEdit>(proxy, "cedtProxy"), "prøxy:3128");
            Click(proxy, "bbtnOK");
            EXPECT_TRUE(proxy.isVisible());
        });
    TfrmDlgRequestErr::SetShowHook(nullptr);
    EXPECT_FALSE(saved);
    EXPECT_EQ(lists, 2);
    EXPECT_NE(texts.find("Nepřípustná hodnota \"prøxy:3128\" pro \"Proxy\""), std::string::npos) << texts;
    EXPECT_FALSE(Exists("NdLemoProxy.ini"));
}
