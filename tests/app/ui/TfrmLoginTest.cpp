#include "app/ui/TfrmLogin.h"

#include "support/Utilities.h"
#include "support/ui/ControlState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ndlemo;

TEST(TfrmLoginTest, ShowsTheFixedTextsAndPrefillsTheSystemUser) {
    TfrmLogin dialog;
    EXPECT_EQ(dialog.windowTitle(), "ND LEMO");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblPrihl")->text(), "Přihlášení do aplikace");
    EXPECT_TRUE(dialog.findChild<QLabel*>("lblPrihl")->font().bold());
    EXPECT_EQ(dialog.findChild<QLabel*>("lblUziv")->text(), "Uživatel:");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblHeslo")->text(), "Heslo:");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("edtUziv"), dialog.edtUziv());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("edtHeslo"), dialog.edtHeslo());
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtOK"), dialog.bbtOK());
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtCancel")->text(), "Zpět");
    EXPECT_EQ(dialog.edtUziv()->text().toStdString(), GetWindowsUserName());

    EXPECT_EQ(dialog.findChild<QLabel*>("lblPrihl")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(dialog.edtUziv()->palette().color(QPalette::Base), RequiredColor());
    EXPECT_EQ(dialog.edtHeslo()->palette().color(QPalette::Base), RequiredColor());

    EXPECT_EQ(dialog.edtHeslo()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.edtHeslo()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, dialog.edtHeslo()),
              '*');
    EXPECT_TRUE(dialog.bbtOK()->isDefault());
}

TEST(TfrmLoginTest, OkIsEnabledExactlyWhileThePasswordIsNotEmpty) {
    TfrmLogin dialog;
    dialog.show();
    EXPECT_FALSE(dialog.bbtOK()->isEnabled());
    // Enter does nothing while OK is disabled.
    QTest::keyClick(dialog.edtHeslo(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClick(dialog.edtHeslo(), Qt::Key_Space);
    EXPECT_TRUE(dialog.bbtOK()->isEnabled()) << "a single blank enables OK";
    QTest::keyClick(dialog.edtHeslo(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog.bbtOK()->isEnabled());
    QTest::keyClicks(dialog.edtHeslo(), "AB12");
    EXPECT_TRUE(dialog.bbtOK()->isEnabled());

    QTest::keyClick(dialog.edtHeslo(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(TfrmLoginTest, EveryShowEmptiesAndFocusesThePassword) {
    TfrmLogin dialog;
    dialog.show();
    QTest::keyClicks(dialog.edtHeslo(), "secret");
    dialog.edtUziv()->setFocus();
    dialog.hide();

    dialog.show();
    EXPECT_TRUE(dialog.edtHeslo()->text().isEmpty());
    EXPECT_FALSE(dialog.bbtOK()->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.edtHeslo());
}

TEST(TfrmLoginTest, EscapeAndZpetCancel) {
    TfrmLogin dialog;
    dialog.show();
    QTest::keyClicks(dialog.edtHeslo(), "AB12");
    QTest::keyClick(dialog.edtHeslo(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Result().Ok);

    dialog.show();
    QTest::keyClicks(dialog.edtHeslo(), "AB12");
    QTest::mouseClick(dialog.bbtCancel(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Result().Ok);
}

TEST(TfrmLoginTest, ExecuteHandsBackTrimmedTextsAndForgetsThePassword) {
    TfrmLogin dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.edtUziv()->setText("  novák ");
        QTest::keyClicks(dialog.edtHeslo(), " AB12 ");
        QTest::mouseClick(dialog.bbtOK(), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.reject(); // never leave the dialog blocking when the click did not close it
    });
    const TLoginResult login = dialog.Execute();
    EXPECT_TRUE(login.Ok);
    EXPECT_EQ(login.User, "novák");
    EXPECT_EQ(login.Password, "AB12");
    EXPECT_TRUE(dialog.edtHeslo()->text().isEmpty());

    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_FALSE(dialog.Execute().Ok);
}
