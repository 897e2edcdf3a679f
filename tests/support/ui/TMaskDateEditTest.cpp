#include "support/ui/TMaskDateEdit.h"

#include "support/ESubroutineError.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/WidgetTestSupport.h"

#include <QApplication>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

// Two date fields that refuse any text but a full one, and a plain edit after them.
class MaskDateEditTest : public testing::Test {
protected:
    MaskDateEditTest() : m_Region(TDateTime::FromParts(2024, 3, 15, 9, 0, 0)) {
        auto* layout = new QVBoxLayout(&m_Window);
        for (TMaskDateEdit*& edit : m_Dates) {
            edit = new TMaskDateEdit(QStringLiteral("edtDatum%1").arg(&edit - m_Dates), &m_Window);
            edit->SetOnExit([edit, this] {
                ++m_Exits;
                if (edit->Text().find(' ') != std::string::npos && edit->Text() != "  .  .    ")
                    throw ESubroutineError("Neúplné datum %s", edit->objectName().toStdString());
            });
            layout->addWidget(edit);
        }
        m_Other = new QLineEdit(&m_Window);
        layout->addWidget(m_Other);
    }
    void SetUp() override { ASSERT_TRUE(ShowActive(m_Window)); }

    TFixedRegion m_Region;
    TScriptedMessageBoxes m_Boxes;
    QWidget m_Window;
    TMaskDateEdit* m_Dates[2] = {};
    QLineEdit* m_Other = nullptr;
    int m_Exits = 0;
};

TEST_F(MaskDateEditTest, TheTextHasABlankForEveryUnfilledPlace) {
    TMaskDateEdit* edit = m_Dates[0];
    EXPECT_EQ(edit->Text(), "  .  .    ");
    EXPECT_EQ(edit->displayText(), QStringLiteral("__.__.____"));
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, QStringLiteral("x0-5+0/3"));
    EXPECT_EQ(edit->Text(), "05.03.    ");
    edit->SetText("31.12.2024");
    EXPECT_EQ(edit->Text(), "31.12.2024");
    edit->SetText("");
    EXPECT_EQ(edit->Text(), "  .  .    ");
}

// Clicked anywhere behind what is filled in, the field takes the typing at its first unfilled place.
TEST_F(MaskDateEditTest, AClickBehindTheTextTypesIntoTheFirstFreePlace) {
    TMaskDateEdit* edit = m_Dates[0];
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QTest::keyClicks(edit, QStringLiteral("05032024"));
    EXPECT_EQ(edit->Text(), "05.03.2024");
    edit->SetText("05");
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QTest::keyClicks(edit, QStringLiteral("03"));
    EXPECT_EQ(edit->Text(), "05.03.    ");
}

TEST_F(MaskDateEditTest, TheMaskTakesTheRegionalSeparator) {
    TFormatSettings slash;
    slash.DateSeparator = "/";
    TFormatSettings::Set(slash);
    m_Dates[0]->SetText("");
    EXPECT_EQ(m_Dates[0]->Text(), "  /  /    ");
    m_Dates[0]->SetText("01/02/2024");
    EXPECT_EQ(m_Dates[0]->Text(), "01/02/2024");
}

TEST_F(MaskDateEditTest, ARefusedExitKeepsTheFocusAndShowsOneMessage) {
    m_Dates[1]->SetText("07");
    m_Dates[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_Dates[0], QStringLiteral("05"));
    // Into the other refusing field: one message, and the focus stays.
    QTest::keyClick(m_Dates[0], Qt::Key_Tab);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Neúplné datum edtDatum0.");
    EXPECT_EQ(QApplication::focusWidget(), m_Dates[0]);
    EXPECT_EQ(m_Exits, 1);
    // Filled, the field can be left.
    m_Dates[0]->SetText("05.03.2024");
    m_Dates[0]->setFocus(Qt::TabFocusReason);
    m_Other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), m_Other);
    EXPECT_EQ(m_Boxes.Shown.size(), 1u);
}

TEST_F(MaskDateEditTest, AnotherWindowTakingTheFocusIsNoExit) {
    m_Dates[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_Dates[0], QStringLiteral("05"));
    QWidget other;
    ASSERT_TRUE(ShowActive(other));
    EXPECT_EQ(m_Exits, 0);
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(MaskDateEditTest, AReadOnlyFieldTakesNoDigits) {
    m_Dates[0]->SetText("05.03.2024");
    m_Dates[0]->setReadOnly(true);
    m_Dates[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_Dates[0], QStringLiteral("1111"));
    QTest::keyClick(m_Dates[0], Qt::Key_Backspace);
    EXPECT_EQ(m_Dates[0]->Text(), "05.03.2024");
}

} // namespace
