#include "transfer/ui/TfrmDlgProxy.h"

#include "transfer/ui/TransferDialogFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
class ProxyDialog : public TTransferDialogFixture<TfrmDlgProxy> {
protected:
    void SetUp() override {
        m_Settings.ProxyUse = true;
        m_Settings.ProxyHost = "proxy:8080";
        m_Settings.ProxyUser = "jan";
        m_Settings.ProxyPassword = "heslo";
    }
    QCheckBox* Check() const { return Child<QCheckBox>(m_Dialog, "chbProxy"); }
    QLineEdit* Password() const { return Child<QLineEdit>(m_Dialog, "cedtPassword"); }
};
} // namespace

TEST_F(ProxyDialog, ShowsTheSettingsWithThePasswordMasked) {
    bool saved = Run([this] {
        EXPECT_EQ(m_Dialog.windowTitle().toStdString(), "Nastavení proxy");
        EXPECT_EQ(Check()->text().toStdString(), "přes proxy");
        EXPECT_TRUE(Check()->isChecked());
        EXPECT_EQ(Edit("cedtProxy")->Text(), "proxy:8080");
        EXPECT_EQ(Edit("cedtUserName")->Text(), "jan");
        EXPECT_EQ(Password()->text().toStdString(), "heslo");
        EXPECT_EQ(Password()->echoMode(), QLineEdit::Password);
        EXPECT_EQ(Child<QLabel>(m_Dialog, "lblPassword")->text().toStdString(), "Heslo");
        Click(m_Dialog, "bbtnCancel");
    });
    EXPECT_FALSE(saved);
    EXPECT_FALSE(std::filesystem::exists(m_Dir.Path() / "NdLemoProxy.ini"));
    EXPECT_EQ(m_Settings.ProxyPassword, "heslo");
}

TEST_F(ProxyDialog, OkStoresFlagAndProxyButKeepsCredentialsInMemoryOnly) {
    bool saved = Run([this] {
        Check()->setChecked(false);
        Retype(Edit("cedtProxy"), "  other:3128 ");
        Retype(Edit("cedtUserName"), " novak ");
        Retype(Password(), " tajne heslo ");
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_FALSE(m_Settings.ProxyUse);
    EXPECT_EQ(m_Settings.ProxyHost, "other:3128");
    EXPECT_EQ(m_Settings.ProxyUser, "novak");
    EXPECT_EQ(m_Settings.ProxyPassword, "tajne heslo");
    std::string file = m_Dir.ReadFile("NdLemoProxy.ini");
    EXPECT_EQ(file, "[General]\r\nUse=0\r\nHost=other:3128\r\n");

    // The next showing offers what this run remembers.
    Run([this] {
        EXPECT_FALSE(Check()->isChecked());
        EXPECT_EQ(Edit("cedtUserName")->Text(), "novak");
        EXPECT_EQ(Password()->text().toStdString(), "tajne heslo");
    });
}

TEST_F(ProxyDialog, ChecksNothingEmptyFieldsAreAccepted) {
    bool saved = Run([this] {
        Edit("cedtProxy")->clear();
        Edit("cedtUserName")->clear();
        Password()->clear();
        Click(m_Dialog, "bbtnOK");
    });
    EXPECT_TRUE(saved);
    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_TRUE(m_Settings.ProxyUse);
    EXPECT_EQ(m_Settings.ProxyHost, "");
    EXPECT_EQ(m_Settings.ProxyUser, "");
    EXPECT_EQ(m_Settings.ProxyPassword, "");
}
