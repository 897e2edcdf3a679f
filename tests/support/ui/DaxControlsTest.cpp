#include "support/TQsStreamDataSet.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxDBCheckBox.h"
#include "support/ui/TDaxDBComboBox.h"
#include "support/ui/TDaxDBEdit.h"
#include "support/ui/TDaxDBMemo.h"
#include "support/ui/TDaxDateTimePicker.h"
#include "support/ui/WidgetTestSupport.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

// A click on the indicator, which every check box takes however wide it is laid out.
void ClickIndicator(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

class DaxControlsTest : public testing::Test {
protected:
    DaxControlsTest() {
        Layout = new QVBoxLayout(&Window);
        Other = new QLineEdit(&Window);
        Other->setObjectName(QStringLiteral("edtOther"));
        Layout->addWidget(Other);
    }
    template <typename T> T* Add(T* control) {
        Layout->addWidget(control);
        return control;
    }
    void Show() {
        ASSERT_TRUE(ShowActive(Window));
        Other->setFocus(Qt::OtherFocusReason);
    }

    TScriptedMessageBoxes Boxes;
    QWidget Window;
    QVBoxLayout* Layout;
    QLineEdit* Other;
};

TEST_F(DaxControlsTest, ReadOnlyCheckBoxIgnoresTheUserButNotTheProgram) {
    auto* box = Add(new TDaxCheckBox(QStringLiteral("cchbGenerFak"), QStringLiteral("Generovat fakturu"), &Window));
    Show();
    box->SetReadOnly(true);
    ClickIndicator(box);
    EXPECT_FALSE(box->Checked());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    box->SetState(Qt::Unchecked);
    ClickIndicator(box);
    EXPECT_EQ(box->State(), Qt::Unchecked);

    box->SetReadOnly(false);
    ClickIndicator(box);
    EXPECT_TRUE(box->Checked());
}

TEST_F(DaxControlsTest, ReadOnlyComboBoxIgnoresTheUserButNotTheProgram) {
    auto* combo = Add(new TDaxComboBox(QStringLiteral("ccbTypPrenosu"), &Window));
    combo->addItems({QStringLiteral("SCP"), QStringLiteral("UPLOAD")});
    Show();
    combo->SetText("SCP");
    combo->SetReadOnly(true);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_U);
    EXPECT_EQ(combo->Text(), "SCP");
    combo->SetText("UPLOAD");
    EXPECT_EQ(combo->Text(), "UPLOAD");
    combo->SetText("FTP"); // no such item: nothing chosen
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->IsEmptyForRequired());

    combo->SetReadOnly(false);
    combo->SetText("SCP");
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "UPLOAD");
}

TEST_F(DaxControlsTest, ReadOnlyEditableComboKeepsItsText) {
    auto* combo = Add(new TDaxComboBox(QStringLiteral("ccbX"), &Window));
    combo->setEditable(true);
    Show();
    combo->SetText("abc");
    combo->SetReadOnly(true);
    EXPECT_EQ(combo->focusPolicy(), Qt::NoFocus);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(combo->Text(), "abc");
}

TEST_F(DaxControlsTest, DateTimePickerShowsNothingWhenEmpty) {
    auto* picker = Add(new TDaxDateTimePicker(QStringLiteral("dtpDatum"), TDaxDateTimePicker::TKind::Date, &Window));
    Show();
    EXPECT_TRUE(picker->Empty()); // DateTime 0
    EXPECT_EQ(picker->text().trimmed().toStdString(), "");
    picker->SetDate(TDate::FromYmd(2024, 3, 5));
    EXPECT_FALSE(picker->Empty());
    EXPECT_EQ(picker->text().toStdString(), "05.03.2024");
    EXPECT_EQ(picker->Date(), TDate::FromYmd(2024, 3, 5));

    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Delete);
    EXPECT_TRUE(picker->Empty());
    EXPECT_TRUE(picker->hasFocus());
    EXPECT_EQ(picker->text().trimmed().toStdString(), "");
    // Any other key brings the value back.
    QTest::keyClick(picker, Qt::Key_Right);
    EXPECT_FALSE(picker->Empty());
    EXPECT_EQ(picker->text().toStdString(), "05.03.2024");

    picker->SetKind(TDaxDateTimePicker::TKind::Time);
    picker->SetTime(0.5);
    EXPECT_EQ(picker->text().toStdString(), "12:00:00");
    EXPECT_EQ(picker->Date(), TDate::FromYmd(2024, 3, 5));
}

TEST_F(DaxControlsTest, ReadOnlyDateTimePickerKeepsItsValue) {
    auto* picker = Add(new TDaxDateTimePicker(QStringLiteral("dtpDatum"), TDaxDateTimePicker::TKind::Date, &Window));
    Show();
    picker->SetDate(TDate::FromYmd(2024, 3, 5));
    picker->SetReadOnly(true);
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Up);
    QTest::keyClick(picker, Qt::Key_Delete);
    EXPECT_EQ(picker->Date(), TDate::FromYmd(2024, 3, 5));
    EXPECT_FALSE(picker->Empty());
}

// ---- data-bound members -----------------------------------------------------------------------------

class DaxDBControlsTest : public DaxControlsTest {
protected:
    DaxDBControlsTest() {
        Table.AddFieldDef("PRS_SrcFileName", TQsFieldType::ftString, 20);
        Table.AddFieldDef("PRS_Vybrat", TQsFieldType::ftBoolean);
        Table.Open();
        for (const char* name : {"KDAVKA.111", "KDAVKA.333"}) {
            Table.Append();
            Table.FieldByName("PRS_SrcFileName").SetAsString(name);
            Table.Post();
        }
        Table.First();
    }
    // The bound controls go before the table they listen to.
    ~DaxDBControlsTest() override {
        for (QWidget* w : Window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            delete w;
    }
    TQsStreamDataSet Table{"qssPRS"};
};

TEST_F(DaxDBControlsTest, EditShowsTheCurrentRecordAndWritesTheUsersText) {
    auto* edit = Add(new TDaxDBEdit(QStringLiteral("cdbeSoubor"), &Window));
    Show();
    edit->SetDataField(&Table, "PRS_SrcFileName");
    EXPECT_EQ(edit->text().toStdString(), "KDAVKA.111");
    Table.Next();
    EXPECT_EQ(edit->text().toStdString(), "KDAVKA.333");

    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, QStringLiteral("NOVA.111"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(Table.FieldByName("PRS_SrcFileName").AsString(), "NOVA.111");
    EXPECT_EQ(Table.State(), TQsStreamDataSet::TState::Browse);
    Table.First();
    EXPECT_EQ(edit->text().toStdString(), "KDAVKA.111");

    edit->SetRequired(true);
    edit->setText(QStringLiteral("  "));
    EXPECT_TRUE(edit->IsEmptyForRequired());
    edit->SetDataField(nullptr, {});
}

TEST_F(DaxDBControlsTest, MemoCheckBoxAndComboWriteBack) {
    auto* memo = Add(new TDaxDBMemo(QStringLiteral("cdbmPoznamka"), &Window));
    auto* box = Add(new TDaxDBCheckBox(QStringLiteral("cdbchVybrat"), QStringLiteral("Vybrat"), &Window));
    auto* combo = Add(new TDaxDBComboBox(QStringLiteral("cdbcbSoubor"), &Window));
    combo->addItems({QStringLiteral("KDAVKA.111"), QStringLiteral("KDAVKA.333")});
    Show();
    memo->SetDataField(&Table, "PRS_SrcFileName");
    box->SetDataField(&Table, "PRS_Vybrat");
    combo->SetDataField(&Table, "PRS_SrcFileName");
    EXPECT_EQ(memo->toPlainText().toStdString(), "KDAVKA.111");
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(combo->currentText().toStdString(), "KDAVKA.111");

    ClickIndicator(box);
    EXPECT_TRUE(Table.FieldByName("PRS_Vybrat").AsBoolean());

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(Table.FieldByName("PRS_SrcFileName").AsString(), "KDAVKA.333");
    EXPECT_EQ(memo->toPlainText().toStdString(), "KDAVKA.333"); // the other views follow

    memo->setFocus();
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("X.txt"));
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Table.FieldByName("PRS_SrcFileName").AsString(), "X.txt");
    EXPECT_EQ(combo->currentIndex(), -1);
}

} // namespace
