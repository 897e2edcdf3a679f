#include "support/ui/TDaxEdit.h"

#include "support/TScriptedMessageBoxes.h"
#include "support/ui/ControlState.h"
#include "support/ui/WidgetTestSupport.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

const char* const Nbsp = "\u00A0";

// A window with the edit under test, a plain edit to leave it for, and two buttons.
class DaxEditTest : public testing::Test {
protected:
    DaxEditTest() : m_Region(TDateTime::FromParts(2024, 3, 10, 12, 0, 0)) {
        auto* layout = new QVBoxLayout(&m_Window);
        layout->addWidget(new TDaxEdit(QStringLiteral("cedtTest"), &m_Window));
        auto* other = new QLineEdit(&m_Window);
        other->setObjectName(QStringLiteral("edtOther"));
        layout->addWidget(other);
        auto* ok = new QPushButton(QStringLiteral("OK"), &m_Window);
        ok->setObjectName(QStringLiteral("bbtnOK"));
        layout->addWidget(ok);
        auto* cancel = new QPushButton(QStringLiteral("Zpět"), &m_Window);
        cancel->setObjectName(QStringLiteral("bbtnCancel"));
        MarkCancelButton(cancel);
        layout->addWidget(cancel);
        auto* box = new QDialogButtonBox(QDialogButtonBox::Cancel, &m_Window);
        box->setObjectName(QStringLiteral("ButtonBox"));
        layout->addWidget(box);
        Edit = m_Window.findChild<TDaxEdit*>(QStringLiteral("cedtTest"));
        Other = other;
        Ok = ok;
        Cancel = cancel;
        BoxCancel = box->button(QDialogButtonBox::Cancel);
    }

    void SetUp() override {
        ASSERT_TRUE(ShowActive(m_Window));
        Other->setFocus(Qt::OtherFocusReason); // the edit starts without the focus
    }

    // Entering by keyboard selects the whole text, so typing replaces it.
    void Enter() {
        Other->setFocus(Qt::OtherFocusReason);
        Edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(Edit->hasFocus());
    }
    void Leave() { QTest::keyClick(Edit, Qt::Key_Tab); }
    void Type(const QString& keys) { QTest::keyClicks(Edit, keys); }
    std::string Text() const { return Edit->text().toStdString(); }

    TFixedRegion m_Region;
    TScriptedMessageBoxes Boxes;
    QWidget m_Window;
    TDaxEdit* Edit;
    QLineEdit* Other;
    QPushButton* Ok;
    QPushButton* Cancel;
    QPushButton* BoxCancel;
};

// ---- key filters ------------------------------------------------------------------------------------

struct TTypingRow {
    TValueType Type;
    const char* Keys;
    const char* Expected;
};

class DaxEditTypingTest : public DaxEditTest, public testing::WithParamInterface<TTypingRow> {};

TEST_P(DaxEditTypingTest, KeepsOnlyTheKeysOfItsType) {
    const TTypingRow& row = GetParam();
    Edit->SetValueType(row.Type);
    Enter();
    Type(QString::fromUtf8(row.Keys));
    EXPECT_EQ(Text(), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DaxEditTypingTest,
                         testing::Values(TTypingRow{vtText, "aB1-,.*/ x", "aB1-,.*/ x"},
                                         TTypingRow{vtInteger, "a1-2,3.4e+ 5", "1-2345"},
                                         TTypingRow{vtFloat, "a1-2,3.4e+ 5", "1-2,345"},
                                         TTypingRow{vtCurrency, "1,5 Kc", "1,5"}, TTypingRow{vtDate, "1a-2/3", "1.2.3"},
                                         TTypingRow{vtDate, "12,3 4.", "12.34."}));

// A read-only field keeps its text whatever is typed or pasted into it, empty or with its text selected.
struct TReadOnlyRow {
    TValueType Type;
    bool Validate;
    const char* Initial; // "" for an empty field
};

class DaxEditReadOnlyTest : public DaxEditTest, public testing::WithParamInterface<TReadOnlyRow> {};

TEST_P(DaxEditReadOnlyTest, TakesNoTypedOrPastedText) {
    const TReadOnlyRow& row = GetParam();
    Edit->SetValueType(row.Type);
    if (row.Validate) {
        Edit->SetDigits(8);
        Edit->SetDecimals(2);
        Edit->SetValidate(true);
    }
    Edit->SetText(row.Initial);
    Enter(); // the text read into the value and shown as the field shows it
    Leave();
    const std::string shown = Text();
    const double value = Edit->Value();
    const TDate date = Edit->Date();
    SetControlState(Edit, TCompType::ReadOnly);
    QApplication::clipboard()->setText(QStringLiteral("12"));
    Enter(); // selects all
    const std::string editing = Text();
    ASSERT_EQ(Edit->selectedText().toStdString(), editing);
    Type(QStringLiteral("1a,.-*"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Edit, Qt::Key_Backspace);
    QTest::keyClick(Edit, Qt::Key_Delete);
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Text(), editing);
    Leave();
    EXPECT_EQ(Text(), shown);
    EXPECT_EQ(Edit->Value(), value);
    EXPECT_EQ(Edit->Date(), date);
}

INSTANTIATE_TEST_SUITE_P(Rows, DaxEditReadOnlyTest,
                         testing::Values(TReadOnlyRow{vtText, false, ""}, TReadOnlyRow{vtText, false, "abc"},
                                         TReadOnlyRow{vtInteger, false, ""}, TReadOnlyRow{vtInteger, false, "42"},
                                         TReadOnlyRow{vtFloat, false, ""}, TReadOnlyRow{vtFloat, false, "4,5"},
                                         TReadOnlyRow{vtFloat, true, ""}, TReadOnlyRow{vtFloat, true, "4,5"},
                                         TReadOnlyRow{vtCurrency, false, ""}, TReadOnlyRow{vtCurrency, false, "4,5"},
                                         TReadOnlyRow{vtDate, false, ""}, TReadOnlyRow{vtDate, false, "01.02.2024"}));

TEST_F(DaxEditTest, ClipboardShortcutsAreDroppedInNumericFieldsOnly) {
    QApplication::clipboard()->setText(QStringLiteral("99"));
    Edit->SetValueType(vtInteger);
    Enter();
    Type(QStringLiteral("12"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "12");

    Edit->SetValueType(vtText);
    Enter();
    Type(QStringLiteral("ab"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "ab99");
}

TEST_F(DaxEditTest, TypingFilterLengthAndUpperCaseOfTextFields) {
    Edit->SetMaxLength(4);
    Edit->SetAllowedChars(QStringLiteral("0123456789"));
    Enter();
    Type(QStringLiteral("12a3.456"));
    EXPECT_EQ(Text(), "1234");
    // Control keys pass the filter.
    QTest::keyClick(Edit, Qt::Key_Backspace);
    EXPECT_EQ(Text(), "123");
    // The program's own texts are never cut.
    Edit->SetText("123456789");
    EXPECT_EQ(Text(), "123456789");

    Edit->SetAllowedChars({});
    Edit->SetUpperCase(true);
    Edit->SetText("");
    Enter();
    Type(QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, Edit, Qt::Key_unknown, QStringLiteral("č"), Qt::NoModifier);
    Type(QStringLiteral("1xyz"));
    EXPECT_EQ(Text(), "ABČ1");
    // Pasting keeps the limit and the case too; so do the program's texts.
    QApplication::clipboard()->setText(QStringLiteral("wxyz"));
    Edit->SetText("a");
    EXPECT_EQ(Text(), "A");
    Enter();
    QTest::keyClick(Edit, Qt::Key_End);
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "AWXY");
}

TEST_F(DaxEditTest, DigitsLimitTheLengthOfNumericFields) {
    Edit->SetValueType(vtInteger);
    Edit->SetDigits(3);
    Enter();
    Type(QStringLiteral("12345"));
    EXPECT_EQ(Text(), "123");
}

TEST_F(DaxEditTest, EscapeUndoesTheEditAndSelectsAll) {
    Edit->SetValueType(vtFloat);
    Edit->SetValueCustomFormat("0.00");
    Edit->SetValue(12.5);
    EXPECT_EQ(Text(), "12,50");
    Enter();
    EXPECT_EQ(Text(), "12,5"); // the raw number while editing
    Type(QStringLiteral("99"));
    ASSERT_EQ(Text(), "99");
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Text(), "12,5");
    EXPECT_EQ(Edit->selectedText().toStdString(), "12,5");
}

TEST_F(DaxEditTest, EscapeUndoesAnIntegerEdit) {
    Edit->SetValueType(vtInteger);
    Edit->SetValue(7);
    Enter();
    Type(QStringLiteral("123"));
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Text(), "7");
    EXPECT_EQ(Edit->selectedText().toStdString(), "7");
}

TEST_F(DaxEditTest, EscapeInTextFieldsIsNotAnUndo) {
    Enter();
    Type(QStringLiteral("abc"));
    QTest::keyClick(Edit, Qt::Key_Escape);
    EXPECT_EQ(Text(), "abc");
}

TEST_F(DaxEditTest, ValidateModeKeepsDigitsAndDecimals) {
    Edit->SetValueType(vtFloat);
    Edit->SetDigits(6);
    Edit->SetDecimals(2);
    Edit->SetValidate(true);
    Enter();
    QTest::keyClick(Edit, Qt::Key_Backspace); // the selected "0" goes
    Type(QStringLiteral("1234567"));
    EXPECT_EQ(Text(), "123,56");
    Edit->setCursorPosition(4);
    QTest::keyClick(Edit, Qt::Key_Backspace); // would make the whole part too long
    EXPECT_EQ(Text(), "123,56");
}

// ---- date entry -------------------------------------------------------------------------------------

struct TDateTypingRow {
    const char* Keys;
    const char* Message;  // nullptr: accepted
    int Year, Month, Day; // the date afterwards (0: no date)
    const char* TextAfter;
};

class DaxEditDateTest : public DaxEditTest, public testing::WithParamInterface<TDateTypingRow> {};

TEST_P(DaxEditDateTest, ParsesOnLeaving) {
    const TDateTypingRow& row = GetParam();
    Edit->SetValueType(vtDate);
    const TDate before = TDate::FromYmd(2000, 1, 1);
    Edit->SetDate(before);
    Enter();
    Type(QString::fromUtf8(row.Keys));
    Leave();
    const TDate expected = row.Year ? TDate::FromYmd(row.Year, row.Month, row.Day) : TDate();
    EXPECT_EQ(Edit->Date(), expected);
    EXPECT_EQ(Text(), row.TextAfter);
    if (row.Message) {
        ASSERT_EQ(Boxes.Shown.size(), 1u);
        EXPECT_EQ(Boxes.Shown[0].Kind, 'E');
        EXPECT_EQ(Boxes.Shown[0].Text, row.Message);
        EXPECT_TRUE(Edit->hasFocus());
        EXPECT_EQ(Edit->cursorPosition(), 0);
    } else {
        EXPECT_TRUE(Boxes.Shown.empty());
        EXPECT_TRUE(Other->hasFocus());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DaxEditDateTest,
                         testing::Values(TDateTypingRow{"5.3*", nullptr, 2024, 3, 5, "05.03.2024"},
                                         TDateTypingRow{"\b*", nullptr, 2024, 3, 10, "10.03.2024"},
                                         // "*" looks at the whole text, selected or not: a complete date stays.
                                         TDateTypingRow{"*", nullptr, 2000, 1, 1, "01.01.2000"},
                                         TDateTypingRow{"5-3/24", nullptr, 2024, 3, 5, "05.03.2024"},
                                         TDateTypingRow{"1.1.51", nullptr, 1951, 1, 1, "01.01.1951"},
                                         TDateTypingRow{"1.1.50", nullptr, 2050, 1, 1, "01.01.2050"},
                                         TDateTypingRow{"\b", nullptr, 0, 0, 0, ""},
                                         // Refused entries keep the previous date and the typed text.
                                         TDateTypingRow{"29.2.23", "Chybný formát datumu", 2000, 1, 1, "29.2.23"},
                                         TDateTypingRow{"31.4.2024", "Den musí být 1 - 30", 2000, 1, 1, "31.4.2024"},
                                         TDateTypingRow{"1.1.202", "Rok musi byt na 2 nebo 4 znaky", 2000, 1, 1,
                                                        "1.1.202"},
                                         TDateTypingRow{"5.13", "Měsíc musí být 1 - 12", 2000, 1, 1, "5.13"}));

TEST_F(DaxEditTest, StarCompletesTheDateAsTyped) {
    Edit->SetValueType(vtDate);
    Enter();
    Type(QStringLiteral("5.3*"));
    EXPECT_EQ(Text(), "5.3.2024");
    Edit->clear();
    Type(QStringLiteral("5*"));
    EXPECT_EQ(Text(), "5.3.2024");
    Edit->clear();
    Type(QStringLiteral("5.3.24*"));
    EXPECT_EQ(Text(), "5.3.24");
}

TEST_F(DaxEditTest, PastingIntoADateParsesOrPutsTheTextBack) {
    Edit->SetValueType(vtDate);
    Enter();
    QApplication::clipboard()->setText(QStringLiteral("7.8.21"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "7.8.2021");
    EXPECT_EQ(Edit->Date(), TDate::FromYmd(2021, 8, 7));

    Edit->clear();
    Type(QStringLiteral("5.3."));
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "5.3.");
    EXPECT_TRUE(Boxes.Shown.empty());
}

// ---- leaving numeric fields -------------------------------------------------------------------------

TEST_F(DaxEditTest, NumbersAreReadAndShownAgainOnLeaving) {
    Edit->SetValueType(vtFloat);
    Edit->SetValueCustomFormat("0.00");
    Edit->SetValue(0);
    EXPECT_EQ(Text(), "0,00");
    Enter();
    Type(QStringLiteral("1234,5"));
    Leave();
    EXPECT_EQ(Text(), "1234,50");
    EXPECT_DOUBLE_EQ(Edit->Value(), 1234.5);

    Edit->SetValueType(vtCurrency);
    Enter();
    Type(QStringLiteral("-12,5"));
    Leave();
    EXPECT_EQ(Text(), "-12,50 Kč");
    EXPECT_DOUBLE_EQ(Edit->Value(), -12.5);

    Edit->SetValueType(vtInteger);
    Edit->SetValueCustomFormat("#,##0");
    Enter();
    Type(QStringLiteral("1234"));
    Leave();
    EXPECT_EQ(Text(), std::string("1") + Nbsp + "234");
    EXPECT_DOUBLE_EQ(Edit->Value(), 1234);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(DaxEditTest, TextThatIsNotANumberIsRefused) {
    Edit->SetValueType(vtFloat);
    Enter();
    Type(QStringLiteral("1-2"));
    Leave();
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "'1-2' není přípustná hodnota.");
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Text(), "1-2");
}

TEST_F(DaxEditTest, ANumberSetWhileInTheFieldCanBeLeft) {
    Edit->SetValueType(vtInteger);
    Edit->SetValueCustomFormat("0.00");
    Enter();
    Edit->SetValue(7);
    EXPECT_EQ(Text(), "7");
    Leave();
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(Text(), "7,00");
}

TEST_F(DaxEditTest, ValueFollowsTheTextAndTheValueType) {
    Edit->SetValueType(vtFloat);
    Edit->setText(QString::fromUtf8("1\u00A0234,5"));
    EXPECT_DOUBLE_EQ(Edit->Value(), 1234.5);

    Edit->SetValue(2.6);
    Edit->SetValueType(vtInteger);
    EXPECT_DOUBLE_EQ(Edit->Value(), 3);
    EXPECT_EQ(Text(), "3");

    Edit->SetValueCustomFormat("0");
    Edit->SetValueType(vtText);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Edit->Value(), 0);
    EXPECT_EQ(Edit->ValueCustomFormat(), "");
    Edit->SetValue(5); // ignored by text fields
    EXPECT_EQ(Edit->Value(), 0);
    Edit->SetDate(TDate::FromYmd(2024, 1, 1)); // kept by date fields only
    EXPECT_TRUE(Edit->Date().IsNull());

    Edit->SetValueType(vtCurrency);
    Edit->SetValueCustomFormat("0.00");
    EXPECT_EQ(Edit->ValueCustomFormat(), "");
}

// ---- leaving towards buttons ------------------------------------------------------------------------

TEST_F(DaxEditTest, LeavingForACancelButtonChecksNothing) {
    Edit->SetValueType(vtDate);
    for (QPushButton* button : {Cancel, BoxCancel}) {
        Enter();
        Type(QStringLiteral("31.4.2024"));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(Boxes.Shown.empty()) << button->objectName().toStdString();
        EXPECT_TRUE(button->hasFocus());
        EXPECT_TRUE(Edit->Date().IsNull());
    }
}

TEST_F(DaxEditTest, ARefusedEntryKeepsTheFocusAndTheButtonDoesNotAct) {
    int clicks = 0;
    QObject::connect(Ok, &QPushButton::clicked, [&clicks] { ++clicks; });
    Edit->SetValueType(vtDate);
    Enter();
    Type(QStringLiteral("31.4.2024"));
    QTest::mouseClick(Ok, Qt::LeftButton);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Den musí být 1 - 30");
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(clicks, 0);

    // Corrected, the next click goes through.
    Edit->selectAll();
    Type(QStringLiteral("30.4.2024"));
    QTest::mouseClick(Ok, Qt::LeftButton);
    EXPECT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Edit->Date(), TDate::FromYmd(2024, 4, 30));
}

TEST_F(DaxEditTest, SwitchingWindowsIsNotLeavingTheField) {
    Edit->SetValueType(vtFloat);
    Enter();
    Type(QStringLiteral("1-2"));
    QWidget second;
    ASSERT_TRUE(ShowActive(second));
    ASSERT_TRUE(ShowActive(m_Window));
    EXPECT_TRUE(Edit->hasFocus());
    EXPECT_EQ(Text(), "1-2");
    EXPECT_TRUE(Boxes.Shown.empty());
    Leave();
    EXPECT_EQ(Boxes.Shown.size(), 1u);
}

// ---- drawing ----------------------------------------------------------------------------------------

TEST_F(DaxEditTest, AlignmentAppliesOnlyWithoutTheFocus) {
    Edit->SetValueType(vtFloat);
    Edit->SetAlignment(Qt::AlignRight);
    EXPECT_TRUE(Edit->alignment() & Qt::AlignRight);
    EXPECT_GT(Edit->textMargins().left(), 0);
    Enter();
    EXPECT_TRUE(Edit->alignment() & Qt::AlignLeft);
    EXPECT_EQ(Edit->textMargins().left(), 0);
    Leave();
    EXPECT_TRUE(Edit->alignment() & Qt::AlignRight);

    Edit->SetAlignment(Qt::AlignHCenter);
    EXPECT_TRUE(Edit->alignment() & Qt::AlignHCenter);
    Edit->setFrame(false);
    Edit->SetAlignment(Qt::AlignRight);
    EXPECT_EQ(Edit->textMargins().left(), 0);
}

} // namespace
