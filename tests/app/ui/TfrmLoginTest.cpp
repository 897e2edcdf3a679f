#include "app/ui/TfrmLogin.h"

#include "support/Utilities.h"
#include "support/ui/ControlState.h"
#include "support/ui/DialogScript.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ndlemo;
using ndlemo::test::Child;

TEST(TfrmLoginTest, ShowsTheFixedTextsAndPrefillsTheSystemUser) {
    TfrmLogin dialog;
    EXPECT_EQ(dialog.windowTitle(), "ND LEMO");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblPrihl")->text(), "Přihlášení do aplikace");
    EXPECT_TRUE(dialog.findChild<QLabel*>("lblPrihl")->font().bold());
    EXPECT_EQ(dialog.findChild<QLabel*>("lblUziv")->text(), "Uživatel:");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblHeslo")->text(), "Heslo:");
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtCancel")->text(), "Zpět");
    EXPECT_EQ(Child<QLineEdit>(dialog, "edtUziv")->text().toStdString(), GetWindowsUserName());

    EXPECT_EQ(dialog.findChild<QLabel*>("lblPrihl")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(Child<QLineEdit>(dialog, "edtUziv")->palette().color(QPalette::Base), RequiredColor());
    EXPECT_EQ(Child<QLineEdit>(dialog, "edtHeslo")->palette().color(QPalette::Base), RequiredColor());

    EXPECT_EQ(Child<QLineEdit>(dialog, "edtHeslo")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Child<QLineEdit>(dialog, "edtHeslo")
                  ->style()
                  ->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, Child<QLineEdit>(dialog, "edtHeslo")),
              '*');
    EXPECT_TRUE(Child<QPushButton>(dialog, "bbtOK")->isDefault());
}

TEST(TfrmLoginTest, OkIsEnabledExactlyWhileThePasswordIsNotEmpty) {
    TfrmLogin dialog;
    dialog.show();
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtOK")->isEnabled());
    // Enter does nothing while OK is disabled.
    QTest::keyClick(Child<QLineEdit>(dialog, "edtHeslo"), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClick(Child<QLineEdit>(dialog, "edtHeslo"), Qt::Key_Space);
    EXPECT_TRUE(Child<QPushButton>(dialog, "bbtOK")->isEnabled()) << "a single blank enables OK";
    QTest::keyClick(Child<QLineEdit>(dialog, "edtHeslo"), Qt::Key_Backspace);
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtOK")->isEnabled());
    QTest::keyClicks(Child<QLineEdit>(dialog, "edtHeslo"), "AB12");
    EXPECT_TRUE(Child<QPushButton>(dialog, "bbtOK")->isEnabled());

    QTest::keyClick(Child<QLineEdit>(dialog, "edtHeslo"), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(TfrmLoginTest, EveryShowEmptiesAndFocusesThePassword) {
    TfrmLogin dialog;
    dialog.show();
    QTest::keyClicks(Child<QLineEdit>(dialog, "edtHeslo"), "secret");
    Child<QLineEdit>(dialog, "edtUziv")->setFocus();
    dialog.hide();

    dialog.show();
    EXPECT_TRUE(Child<QLineEdit>(dialog, "edtHeslo")->text().isEmpty());
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtOK")->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, "edtHeslo"));
}

TEST(TfrmLoginTest, EscapeAndZpetCancel) {
    TfrmLogin dialog;
    dialog.show();
    QTest::keyClicks(Child<QLineEdit>(dialog, "edtHeslo"), "AB12");
    QTest::keyClick(Child<QLineEdit>(dialog, "edtHeslo"), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Result().Ok);

    dialog.show();
    QTest::keyClicks(Child<QLineEdit>(dialog, "edtHeslo"), "AB12");
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Result().Ok);
}

TEST(TfrmLoginTest, ExecuteHandsBackTrimmedTextsAndForgetsThePassword) {
    TfrmLogin dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        Child<QLineEdit>(dialog, "edtUziv")->setText("  novák ");
        QTest::keyClicks(Child<QLineEdit>(dialog, "edtHeslo"), " AB12 ");
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtOK"), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.reject(); // never leave the dialog blocking when the click did not close it
    });
    const TLoginResult login = dialog.Execute();
    EXPECT_TRUE(login.Ok);
    EXPECT_EQ(login.User, "novák");
    EXPECT_EQ(login.Password, "AB12");
    EXPECT_TRUE(Child<QLineEdit>(dialog, "edtHeslo")->text().isEmpty());

    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_FALSE(dialog.Execute().Ok);
}
