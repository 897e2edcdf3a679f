#include "support/ui/ControlState.h"

#include "support/ESubroutineError.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxDateTimePicker.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TDaxMemo.h"
#include "support/ui/WidgetTestSupport.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

QColor BaseOf(const QWidget* w) {
    return w->palette().color(QPalette::Active, QPalette::Base);
}

bool IsReadOnly(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->isReadOnly();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w))
        return m->isReadOnly();
    return false;
}

// ---- SetControlState ---------------------------------------------------------------------------------

enum class TKind { DaxEdit, PlainEdit, Memo, Combo, Picker, CheckBox };

struct TStateRow {
    TKind Kind;
    TCompType State;
    bool Enabled;
    bool ReadOnly; // edits and memos only
    bool Visible;
    int Colour; // 0 button face, 1 window, 2 aqua, -1 not coloured
};

std::unique_ptr<QWidget> Make(TKind kind, QWidget* parent) {
    switch (kind) {
    case TKind::DaxEdit:
        return std::make_unique<TDaxEdit>(QStringLiteral("cedtX"), parent);
    case TKind::PlainEdit:
        return std::make_unique<QLineEdit>(parent);
    case TKind::Memo:
        return std::make_unique<TDaxMemo>(QStringLiteral("cmemX"), parent);
    case TKind::Combo:
        return std::make_unique<TDaxComboBox>(QStringLiteral("ccbX"), parent);
    case TKind::Picker:
        return std::make_unique<TDaxDateTimePicker>(QStringLiteral("cdtpX"), TDaxDateTimePicker::TKind::Date, parent);
    case TKind::CheckBox:
        return std::make_unique<TDaxCheckBox>(QStringLiteral("cchbX"), QStringLiteral("X"), parent);
    }
    return nullptr;
}

class SetControlStateTest : public testing::TestWithParam<TStateRow> {};

TEST_P(SetControlStateTest, AppliesTheStateByKindOfControl) {
    const TStateRow& row = GetParam();
    QWidget window;
    std::unique_ptr<QWidget> control = Make(row.Kind, &window);
    // Start from the opposite of what is expected, so that every property must be set.
    control->setEnabled(!row.Enabled);
    if (auto* e = qobject_cast<QLineEdit*>(control.get()))
        e->setReadOnly(!row.ReadOnly);
    if (auto* m = qobject_cast<QPlainTextEdit*>(control.get()))
        m->setReadOnly(!row.ReadOnly);
    control->setVisible(!row.Visible);
    auto* member = dynamic_cast<TDaxControl*>(control.get());
    if (member)
        member->SetRequired(row.State != TCompType::Required);
    const QColor before = BaseOf(control.get());

    SetControlState(control.get(), row.State);

    EXPECT_EQ(control->isEnabled(), row.Enabled);
    if (qobject_cast<QLineEdit*>(control.get()) || qobject_cast<QPlainTextEdit*>(control.get())) {
        EXPECT_EQ(IsReadOnly(control.get()), row.ReadOnly);
    }
    EXPECT_EQ(!control->isHidden(), row.Visible);
    const QColor colours[] = {InactiveColor(), EditableColor(), QColor(0, 255, 255)};
    if (row.Colour >= 0) {
        EXPECT_EQ(BaseOf(control.get()), colours[row.Colour]);
    } else {
        EXPECT_EQ(BaseOf(control.get()), before);
    }
    if (member) {
        EXPECT_EQ(member->Required(), row.State == TCompType::Required);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SetControlStateTest,
                         testing::Values(
                             // Edits: read-only but enabled in state 0; the colour says the state.
                             TStateRow{TKind::DaxEdit, TCompType::ReadOnly, true, true, true, 0},
                             TStateRow{TKind::DaxEdit, TCompType::Disabled, false, true, true, 0},
                             TStateRow{TKind::DaxEdit, TCompType::Hidden, false, true, false, 0},
                             TStateRow{TKind::DaxEdit, TCompType::Editable, true, false, true, 1},
                             TStateRow{TKind::DaxEdit, TCompType::Required, true, false, true, 2},
                             TStateRow{TKind::PlainEdit, TCompType::ReadOnly, true, true, true, 0},
                             TStateRow{TKind::PlainEdit, TCompType::Required, true, false, true, 2},
                             TStateRow{TKind::Memo, TCompType::ReadOnly, true, true, true, 0},
                             TStateRow{TKind::Memo, TCompType::Required, true, false, true, 2},
                             // Combo boxes and pickers cannot be read-only: they are disabled instead.
                             TStateRow{TKind::Combo, TCompType::ReadOnly, false, false, true, 0},
                             TStateRow{TKind::Combo, TCompType::Disabled, false, false, true, 0},
                             TStateRow{TKind::Combo, TCompType::Hidden, false, false, false, 0},
                             TStateRow{TKind::Combo, TCompType::Editable, true, false, true, 1},
                             TStateRow{TKind::Combo, TCompType::Required, true, false, true, 2},
                             TStateRow{TKind::Picker, TCompType::ReadOnly, false, false, true, 0},
                             TStateRow{TKind::Picker, TCompType::Required, true, false, true, 2},
                             // Check boxes: no colour.
                             TStateRow{TKind::CheckBox, TCompType::ReadOnly, false, false, true, -1},
                             TStateRow{TKind::CheckBox, TCompType::Editable, true, false, true, -1},
                             TStateRow{TKind::CheckBox, TCompType::Hidden, false, false, false, -1},
                             TStateRow{TKind::CheckBox, TCompType::Required, true, false, true, -1}));

TEST(SetControlState, UnknownStateRaisesAndChangesNothing) {
    QWidget window;
    TDaxEdit edit(QStringLiteral("cedtX"), &window);
    SetControlState(&edit, TCompType::Required);
    for (int state : {5, -1}) {
        try {
            SetControlState(&edit, state);
            ADD_FAILURE() << "no error for " << state;
        } catch (const ESubroutineError& e) {
            EXPECT_EQ(e.Message(), FormatText("Parametr \"ACompType\" má chybný typ hodnoty (%d)", state));
        }
        EXPECT_TRUE(edit.Required());
        EXPECT_EQ(BaseOf(&edit), RequiredColor());
        EXPECT_FALSE(edit.isReadOnly());
    }
}

TEST(SetControlState, OtherKindsOfControlAreLeftAlone) {
    QWidget window;
    QLabel label(QStringLiteral("x"), &window);
    SetControlState(&label, TCompType::Hidden);
    EXPECT_FALSE(label.isHidden());
    EXPECT_TRUE(label.isEnabled());
    SetControlState(nullptr, TCompType::Editable);
}

// ---- CheckRequired ---------------------------------------------------------------------------------

struct TRequiredRow {
    const char* Name;
    std::function<QWidget*(QWidget*)> Make;
    bool Passes;
};

class CheckRequiredTest : public testing::TestWithParam<TRequiredRow> {};

TEST_P(CheckRequiredTest, ReportsAnEmptyRequiredField) {
    QWidget window;
    QWidget* control = GetParam().Make(&window);
    std::string message = "untouched";
    EXPECT_EQ(CheckRequired(control, message), GetParam().Passes);
    if (GetParam().Passes) {
        EXPECT_EQ(message, "untouched");
    } else {
        EXPECT_EQ(message, "Pole \"Adresář dávek\" musí být zadáno");
        EXPECT_EQ(window.focusWidget(), control);
    }
}

template <typename T> T* Required(T* control, bool required = true) {
    control->SetDisplayName("Adresář dávek");
    control->SetRequired(required);
    return control;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckRequiredTest,
    testing::Values(
        TRequiredRow{"TextEmpty", [](QWidget* p) { return Required(new TDaxEdit(QStringLiteral("e"), p)); }, false},
        TRequiredRow{"TextBlanks",
                     [](QWidget* p) {
                         auto* e = Required(new TDaxEdit(QStringLiteral("e"), p));
                         e->SetText("  ");
                         return e;
                     },
                     true},
        TRequiredRow{"NotRequired", [](QWidget* p) { return Required(new TDaxEdit(QStringLiteral("e"), p), false); },
                     true},
        TRequiredRow{"FloatZero",
                     [](QWidget* p) {
                         auto* e = Required(new TDaxEdit(QStringLiteral("e"), p));
                         e->SetValueType(vtFloat);
                         e->SetValueCustomFormat("0.00");
                         e->SetValue(0);
                         return e;
                     },
                     false},
        TRequiredRow{"FloatSet",
                     [](QWidget* p) {
                         auto* e = Required(new TDaxEdit(QStringLiteral("e"), p));
                         e->SetValueType(vtFloat);
                         e->SetValue(0.5);
                         return e;
                     },
                     true},
        TRequiredRow{"DateEmpty",
                     [](QWidget* p) {
                         auto* e = Required(new TDaxEdit(QStringLiteral("e"), p));
                         e->SetValueType(vtDate);
                         return e;
                     },
                     false},
        TRequiredRow{"DateSet",
                     [](QWidget* p) {
                         auto* e = Required(new TDaxEdit(QStringLiteral("e"), p));
                         e->SetValueType(vtDate);
                         e->SetDate(TDate::FromYmd(2024, 1, 1));
                         return e;
                     },
                     true},
        TRequiredRow{"MemoBlanks",
                     [](QWidget* p) {
                         auto* m = Required(new TDaxMemo(QStringLiteral("m"), p));
                         m->SetText(" \n ");
                         return m;
                     },
                     false},
        TRequiredRow{"ComboBlanks",
                     [](QWidget* p) {
                         auto* c = Required(new TDaxComboBox(QStringLiteral("c"), p));
                         c->addItems({QStringLiteral(" "), QStringLiteral("SCP")});
                         c->setCurrentIndex(0);
                         return c;
                     },
                     true},
        TRequiredRow{"ComboNothingChosen",
                     [](QWidget* p) {
                         auto* c = Required(new TDaxComboBox(QStringLiteral("c"), p));
                         c->addItems({QStringLiteral("SCP"), QStringLiteral("UPLOAD")});
                         c->setCurrentIndex(-1);
                         return c;
                     },
                     false},
        TRequiredRow{"CheckBoxNever", [](QWidget* p) { return Required(new TDaxCheckBox(QStringLiteral("b"), {}, p)); },
                     true},
        TRequiredRow{"PickerNever",
                     [](QWidget* p) {
                         auto* d =
                             Required(new TDaxDateTimePicker(QStringLiteral("d"), TDaxDateTimePicker::TKind::Date, p));
                         d->SetEmpty(true);
                         return d;
                     },
                     true},
        TRequiredRow{"PlainEditIsNoMember", [](QWidget* p) { return new QLineEdit(p); }, true}),
    [](const testing::TestParamInfo<TRequiredRow>& info) { return std::string(info.param.Name); });

// ---- ValidateRequired -------------------------------------------------------------------------------

// A dialog with two tabs, each with a required edit, and a field beside the tabs.
class ValidateRequiredTest : public testing::Test {
protected:
    ValidateRequiredTest() {
        auto* layout = new QVBoxLayout(&Form);
        Tabs = new QTabWidget(&Form);
        Tabs->setObjectName(QStringLiteral("pgcNastaveni"));
        layout->addWidget(Tabs);
        for (int i = 0; i < 2; ++i) {
            auto* page = new QWidget;
            page->setObjectName(QStringLiteral("tabSheet%1").arg(i + 1));
            auto* pageLayout = new QVBoxLayout(page);
            auto* edit = new TDaxEdit(QStringLiteral("cedtPole%1").arg(i + 1), page);
            edit->SetDisplayName(i == 0 ? "Pracoviště" : "Adresář dávek");
            SetControlState(edit, TCompType::Required);
            pageLayout->addWidget(edit);
            Tabs->addTab(page, QStringLiteral("Strana %1").arg(i + 1));
        }
        First = Form.findChild<TDaxEdit*>(QStringLiteral("cedtPole1"));
        Second = Form.findChild<TDaxEdit*>(QStringLiteral("cedtPole2"));
    }

    void SetUp() override { ASSERT_TRUE(ShowActive(Form)); }

    TScriptedMessageBoxes Boxes;
    QWidget Form;
    QTabWidget* Tabs;
    TDaxEdit* First;
    TDaxEdit* Second;
};

TEST_F(ValidateRequiredTest, ActivatesTheTabOfTheEmptyFieldAndFocusesIt) {
    First->SetText("0001");
    ASSERT_EQ(Tabs->currentIndex(), 0);
    EXPECT_FALSE(ValidateRequired(&Form));
    EXPECT_EQ(Tabs->currentIndex(), 1);
    EXPECT_TRUE(Second->hasFocus());
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Kind, 'W');
    EXPECT_EQ(Boxes.Shown[0].Text, "Pole \"Adresář dávek\" musí být zadáno");
}

TEST_F(ValidateRequiredTest, ReportsOnlyTheFirstEmptyField) {
    Tabs->setCurrentIndex(1);
    EXPECT_FALSE(ValidateRequired(&Form));
    EXPECT_EQ(Tabs->currentIndex(), 0);
    EXPECT_TRUE(First->hasFocus());
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Pole \"Pracoviště\" musí být zadáno");
}

TEST_F(ValidateRequiredTest, AllFilledPassesAndLeavesTheLastTabActive) {
    First->SetText("0001");
    Second->SetText("C:\\Davky");
    EXPECT_TRUE(ValidateRequired(&Form));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(Tabs->currentIndex(), 1);
}

TEST_F(ValidateRequiredTest, FieldsThatCannotTakeTheFocusPass) {
    First->SetText("0001");
    Second->setEnabled(false);
    EXPECT_TRUE(ValidateRequired(&Form));
    Second->setEnabled(true);
    Second->hide();
    EXPECT_TRUE(ValidateRequired(&Form));
    // A hidden tab is no tab sheet to visit: its field cannot be shown, so it passes too.
    Second->show();
    Tabs->setTabVisible(1, false);
    EXPECT_TRUE(ValidateRequired(&Form));
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST(ValidateRequired, NoFormGivesFalse) {
    EXPECT_FALSE(ValidateRequired(nullptr));
}

} // namespace
