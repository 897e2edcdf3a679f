#include "app/ui/TTabSheetFak.h"
#include "app/ui/TTabSheetLZ.h"

#include "StartedWindow.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDBGrid.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TMaskDateEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollArea>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

class InvoiceTabTest : public TStartedWindow {
protected:
    // Enters a field by keyboard, as Tab does: its text is selected, and typing replaces it.
    void Enter(QWidget* field) {
        m_Window.PageControl()->setCurrentIndex(m_Window.ReportsTab()->isAncestorOf(field) ? 1 : 0);
        field->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(field->hasFocus());
    }
    void TypeInto(const char* name, const QString& keys) {
        QWidget* field = Find(name);
        Enter(field);
        QTest::keyClicks(field, keys);
    }
    void Leave() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // Clicks a control as the user does: scrolled into view, with the actions' enabling up to date.
    void Click(const char* name) {
        QWidget* control = Find(name);
        auto* box = Find<QScrollArea>("ScrollBoxFak");
        if (box->isAncestorOf(control))
            box->ensureWidgetVisible(control);
        m_Window.UpdateActions();
        QTest::mouseClick(control, Qt::LeftButton);
    }
    std::string Text(const char* name) {
        if (auto* date = m_Window.findChild<TMaskDateEdit*>(name))
            return date->Text();
        return Find<QLineEdit>(name)->text().toStdString();
    }
    std::string Focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : "";
    }
    std::vector<std::string> Errors() const {
        std::vector<std::string> errors;
        for (const auto& shown : m_Boxes.Shown)
            if (shown.Kind == 'E')
                errors.push_back(shown.Text);
        return errors;
    }
};

// ---- typing -------------------------------------------------------------------------------------------

struct TTypingRow {
    const char* Field;
    const char* Keys;
    const char* Typed;          // the text after typing
    const char* AfterBackspace; // and after one Backspace
};

class InvoiceTypingTest : public InvoiceTabTest, public testing::WithParamInterface<TTypingRow> {};

TEST_P(InvoiceTypingTest, DigitFieldsTakeOnlyDigitsUpToTheirLength) {
    const TTypingRow& row = GetParam();
    TypeInto(row.Field, QString::fromUtf8(row.Keys));
    EXPECT_EQ(Text(row.Field), row.Typed);
    QTest::keyClick(Find(row.Field), Qt::Key_Backspace);
    EXPECT_EQ(Text(row.Field), row.AfterBackspace);
}

INSTANTIATE_TEST_SUITE_P(Rows, InvoiceTypingTest,
                         testing::Values(TTypingRow{"cedtICZ", "1a2b34 5-6.7/8X9", "12345678", "1234567"},
                                         TTypingRow{"cedtICO", "x8y7", "87", "8"},
                                         TTypingRow{"cedtCisFaktury", "F2024/0001-22", "2024000122", "202400012"},
                                         TTypingRow{"cedtRokFaktury", "r2024e", "2024", "202"},
                                         TTypingRow{"cedtDodavatelPsc", "110 00x1", "11000", "1100"},
                                         TTypingRow{"cedtICZ_LZ", "ab12345678", "12345678", "1234567"},
                                         TTypingRow{"cedtICO_LZ", "I87654321", "87654321", "8765432"},
                                         // Text fields take anything up to their length.
                                         TTypingRow{"cedtVS", "VS-1234567890", "VS-1234567", "VS-123456"},
                                         // Date fields take digits into their mask.
                                         TTypingRow{"edtDatVystaveni", "a1b2c", "12.  .    ", "1 .  .    "}));

TEST_F(InvoiceTabTest, DigitFieldsRefuseCzechLetters) {
    for (const char* name : {"cedtICZ", "cedtICO_LZ"}) {
        QWidget* field = Find(name);
        Enter(field);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("č"), Qt::NoModifier);
        QTest::keyClicks(field, QStringLiteral("7"));
        EXPECT_EQ(Text(name), "7") << name;
    }
}

TEST_F(InvoiceTabTest, AReadOnlyFieldTakesNoTypedText) {
    for (const char* name : {"cedtICZ", "edtDatOdeslani"}) {
        QWidget* field = Find(name);
        const std::string before = Text(name);
        SetControlState(field, TCompType::ReadOnly);
        Enter(field);
        QTest::keyClicks(field, QStringLiteral("1234"));
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(Text(name), before) << name;
    }
}

// ---- dates --------------------------------------------------------------------------------------------

struct TDateRow {
    const char* Keys;
    const char* Shown; // the field's text afterwards
    const char* Error; // the error box, or ""
};

class InvoiceDateTest : public InvoiceTabTest, public testing::WithParamInterface<TDateRow> {};

TEST_P(InvoiceDateTest, LeavingNormalisesOrRefusesAndKeepsTheFocus) {
    const TDateRow& row = GetParam();
    // Passing the receipt date derives no maturity date here.
    m_Controller.Settings.IntSplatnosti = 0;
    const char* const fields[] = {"edtDatVystaveni", "edtDatOdeslani", "edtDatPrijeti", "edtDatSplatnosti"};
    for (const char* name : fields)
        Find<TMaskDateEdit>(name)->SetText("");
    for (const char* name : fields) {
        m_Boxes.Shown.clear();
        TypeInto(name, QString::fromUtf8(row.Keys));
        Leave();
        EXPECT_EQ(Text(name), row.Shown) << name;
        if (*row.Error) {
            EXPECT_EQ(Errors(), std::vector<std::string>{row.Error}) << name;
            EXPECT_EQ(Focused(), name);
            // Emptied, the field can be left.
            Find<TMaskDateEdit>(name)->SetText("");
            Leave();
        } else {
            EXPECT_TRUE(Errors().empty()) << name;
            EXPECT_NE(Focused(), name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InvoiceDateTest,
    testing::Values(TDateRow{"31112024", "30.11.2024", ""}, TDateRow{"29022023", "28.02.2023", ""},
                    TDateRow{"05032024", "05.03.2024", ""}, TDateRow{"", "  .  .    ", ""},
                    TDateRow{"15132024", "15.13.2024", "Nepřípustná hodnota 15.13.2024 pro datum."},
                    TDateRow{"010224", "01.02.24  ", "Nepřípustná hodnota \"24\" pro \"Rok\""},
                    TDateRow{"05", "05.  .    ", "Nepřípustná hodnota \"05.  .    \" pro datum."},
                    TDateRow{"00012024", "00.01.2024", "Nepřípustná hodnota 0.1.2024 pro datum."}));

// Two fields that both refuse what they hold must not throw the focus and their messages back and forth.
TEST_F(InvoiceTabTest, MovingBetweenRefusingFieldsShowsOneMessage) {
    auto* splatnosti = Find<TMaskDateEdit>("edtDatSplatnosti");
    splatnosti->SetText("05");
    TypeInto("edtDatPrijeti", QStringLiteral("15132024"));
    Leave();
    EXPECT_EQ(Errors(), std::vector<std::string>{"Nepřípustná hodnota 15.13.2024 pro datum."});
    EXPECT_EQ(Focused(), "edtDatPrijeti");
    // By mouse as well.
    m_Boxes.Shown.clear();
    Click("edtDatSplatnosti");
    EXPECT_EQ(Errors(), std::vector<std::string>{"Nepřípustná hodnota 15.13.2024 pro datum."});
    EXPECT_EQ(Focused(), "edtDatPrijeti");

    // From the amount that is no number back into the refusing date field.
    Find<TMaskDateEdit>("edtDatPrijeti")->SetText("");
    m_Boxes.Shown.clear();
    TypeInto("cedtCastka", QStringLiteral("1,2,3"));
    ASSERT_TRUE(Errors().empty());
    QTest::keyClick(Find("cedtCastka"), Qt::Key_Backtab);
    EXPECT_EQ(Errors(), std::vector<std::string>{"'1,2,3' není přípustná hodnota."});
    EXPECT_EQ(Focused(), "cedtCastka");
    EXPECT_EQ(Text("edtDatSplatnosti"), "05.  .    ");
}

struct TMaturityRow {
    int Interval;
    const char* Maturity; // before leaving the receipt date
    const char* Expected;
};

class InvoiceMaturityTest : public InvoiceTabTest, public testing::WithParamInterface<TMaturityRow> {};

TEST_P(InvoiceMaturityTest, LeavingTheReceiptDateDerivesAMissingMaturityDate) {
    const TMaturityRow& row = GetParam();
    m_Controller.Settings.IntSplatnosti = row.Interval;
    Find<TMaskDateEdit>("edtDatSplatnosti")->SetText(row.Maturity);
    TypeInto("edtDatPrijeti", QStringLiteral("10012024"));
    Leave();
    EXPECT_EQ(Text("edtDatSplatnosti"), row.Expected);
    // Only the receipt date derives it.
    Find<TMaskDateEdit>("edtDatSplatnosti")->SetText("");
    TypeInto("edtDatVystaveni", QStringLiteral("10012024"));
    Leave();
    EXPECT_EQ(Text("edtDatSplatnosti"), "  .  .    ");
}

INSTANTIATE_TEST_SUITE_P(Rows, InvoiceMaturityTest,
                         testing::Values(TMaturityRow{30, "", "09.02.2024"},
                                         TMaturityRow{30, "20.01.2024", "20.01.2024"},
                                         TMaturityRow{0, "", "  .  .    "}));

// ---- the other fields ---------------------------------------------------------------------------------

TEST_F(InvoiceTabTest, TheAmountIsRoundedOnEntering) {
    auto* castka = Find<TDaxEdit>("cedtCastka");
    EXPECT_EQ(castka->text(), QStringLiteral("0,00"));
    struct Row {
        const char* Typed;
        double Rounded;
        const char* Shown;
    };
    for (const Row& row : {Row{"0,125", 0.13, "0,13"}, Row{"-0,125", -0.13, "-0,13"}, Row{"1,005", 1.0, "1"}}) {
        TypeInto("cedtCastka", QString::fromUtf8(row.Typed));
        Leave();
        Enter(castka);
        EXPECT_DOUBLE_EQ(castka->Value(), row.Rounded) << row.Typed;
        EXPECT_EQ(castka->text().toStdString(), row.Shown) << row.Typed;
        Leave();
    }
}

TEST_F(InvoiceTabTest, ThePastedInvoiceNumberKeepsItsDigitsOnLeaving) {
    QApplication::clipboard()->setText(QStringLiteral(" 12/3 "));
    Enter(Find("cedtCisFaktury"));
    QTest::keyClick(Find("cedtCisFaktury"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text("cedtCisFaktury"), " 12/3 ");
    Leave();
    EXPECT_EQ(Text("cedtCisFaktury"), "123");
}

TEST_F(InvoiceTabTest, TheSupplierFieldsFollowGenerovatFakturu) {
    auto* generovat = Find<TDaxCheckBox>("cchbGenerFak");
    auto required = [&](const char* name) { return dynamic_cast<TDaxControl*>(Find(name))->Required(); };
    auto colour = [&](const char* name) { return Find(name)->palette().color(QPalette::Base); };
    ASSERT_TRUE(generovat->isChecked()); // DefaultGenerovat=A
    for (bool ticked : {true, false, true}) {
        if (generovat->isChecked() != ticked)
            Click("cchbGenerFak");
        ASSERT_EQ(generovat->isChecked(), ticked);
        for (const char* name : {"cedtDodavatelNazev", "cedtDodavatelPsc", "cedtDodavatelObec"}) {
            EXPECT_EQ(required(name), ticked) << name;
            EXPECT_EQ(colour(name), ticked ? RequiredColor() : EditableColor()) << name;
        }
        EXPECT_FALSE(required("cedtDodavatelUlice"));
        EXPECT_EQ(colour("cedtDodavatelUlice"), EditableColor());
    }
}

TEST_F(InvoiceTabTest, TheStartGivesEveryFieldItsState) {
    for (const char* name :
         {"cedtICZ", "cedtICO", "cedtCisFaktury", "cedtRokFaktury", "cedtCastka", "cedtUcet", "cedtBanka", "cedtVS"}) {
        EXPECT_TRUE(dynamic_cast<TDaxControl*>(Find(name))->Required()) << name;
        EXPECT_EQ(Find(name)->palette().color(QPalette::Base), RequiredColor()) << name;
    }
    for (const char* name : {"cedtPopis", "cedtPoznamka"}) {
        EXPECT_FALSE(dynamic_cast<TDaxControl*>(Find(name))->Required()) << name;
        EXPECT_EQ(Find(name)->palette().color(QPalette::Base), EditableColor()) << name;
    }
    for (const char* name : {"edtDatVystaveni", "edtDatPrijeti", "edtDatSplatnosti"})
        EXPECT_EQ(Find(name)->palette().color(QPalette::Base), RequiredColor()) << name;
    EXPECT_NE(Find("edtDatOdeslani")->palette().color(QPalette::Base), RequiredColor());
    EXPECT_EQ(Focused(), "cedtICZ");
}

// ---- names and order ----------------------------------------------------------------------------------

struct TCaptionRow {
    const char* Field;
    const char* Label;
    const char* Caption;
};

const TCaptionRow InvoiceFields[] = {
    {"cedtICZ", "lblICZ", "IČZ"},
    {"cedtCisFaktury", "lblCisFaktury", "Číslo faktury"},
    {"cedtICO", "lblICO", "IČO"},
    {"cedtRokFaktury", "lblRokFaktury", "Rok vystavení"},
    {"edtDatVystaveni", "lblDatVystaveni", "Datum vystavení"},
    {"edtDatOdeslani", "lblDatOdeslani", "Datum odeslání"},
    {"edtDatPrijeti", "lblDatPrijeti", "Datum přijetí"},
    {"edtDatSplatnosti", "lblDatSplatnosti", "Datum splatnosti"},
    {"cedtCastka", "lblCastka", "Celkem Kč"},
    {"cedtUcet", "lblUcet", "Číslo účtu"},
    {"cedtBanka", "lblBanka", "Kód banky"},
    {"cedtVS", "lblVS", "VS"},
    {"cedtPopis", "lblPopis", "Popis"},
    {"cedtPoznamka", "lblPoznamka", "Poznámka"},
    {"cchbGenerFak", nullptr, "Generovat fakturu"},
    {"cedtDodavatelNazev", "lblDodavatelNazev", "Název "},
    {"cedtDodavatelUlice", "lblDodavatelUlice", "Ulice"},
    {"cedtDodavatelPsc", "lblDodavatelPsc", "PSČ"},
    {"cedtDodavatelObec", "lblDodavatelObec", "Obec"},
};

// The captions are the field names of the check run's messages; assistive technologies read them too.
TEST_F(InvoiceTabTest, EveryFieldIsNamedByItsCaption) {
    for (const TCaptionRow& row : InvoiceFields) {
        QWidget* field = Find(row.Field);
        if (row.Label) {
            auto* label = Find<QLabel>(row.Label);
            EXPECT_EQ(label->text().toStdString(), row.Caption) << row.Field;
            EXPECT_EQ(label->buddy(), field) << row.Field;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(accessible, nullptr) << row.Field;
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), row.Caption) << row.Field;
    }
    for (const char* name : {"tbrFaktura", "tbrSoubory", "dbgrdPRS", "tbrTop"})
        EXPECT_FALSE(Find(name)->accessibleName().isEmpty()) << name;
}

TEST_F(InvoiceTabTest, TabVisitsTheFieldsInTheirOrder) {
    Enter(Find("cedtICZ"));
    std::vector<std::string> visited{Focused()};
    for (size_t i = 1; i < std::size(InvoiceFields); ++i) {
        Leave();
        visited.push_back(Focused());
    }
    std::vector<std::string> expected;
    for (const TCaptionRow& row : InvoiceFields)
        expected.push_back(row.Field);
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(InvoiceTabTest, FieldsKeepTheirLengths) {
    struct Row {
        const char* Field;
        int Length;
    };
    for (const Row& row :
         {Row{"cedtUcet", 25}, Row{"cedtBanka", 4}, Row{"cedtPopis", 80}, Row{"cedtPoznamka", 80},
          Row{"cedtDodavatelNazev", 50}, Row{"cedtDodavatelUlice", 50}, Row{"cedtDodavatelObec", 50}}) {
        TypeInto(row.Field, QString(100, QLatin1Char('a')));
        EXPECT_EQ(Text(row.Field).size(), static_cast<size_t>(row.Length)) << row.Field;
    }
}

// ---- the batch files and the reset --------------------------------------------------------------------

TEST_F(InvoiceTabTest, NovaFakturaStartsANewInvoice) {
    for (const char* name : {"a.333", "b.111", "c.csv"}) {
        m_Chooser.Answers.push_back(Batch(name));
        Press(TActionId::acPridatSouborPrijmu);
    }
    m_Chooser.Answers.push_back(Batch("scan.pdf"));
    m_Window.PageControl()->setCurrentIndex(1);
    Press(TActionId::acPridatSouborLZ);
    m_Window.PageControl()->setCurrentIndex(0);
    ASSERT_EQ(Find<TDBGrid>("dbgrdPRS")->model()->rowCount(), 3);
    for (const char* name : {"cedtICZ", "cedtCisFaktury", "cedtVS", "cedtPopis", "cedtDodavatelNazev"})
        TypeInto(name, QStringLiteral("9"));
    TypeInto("edtDatVystaveni", QStringLiteral("01032024"));
    TypeInto("cedtCastka", QStringLiteral("150,5"));
    Click("cchbGenerFak");
    m_Controller.Prij.ICZ = "12345678";

    Click("sbtnNovyPrijem");

    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_EQ(Find<TDBGrid>("dbgrdPRS")->model()->rowCount(), 0);
    for (const char* copy : {"tmp_file.001", "tmp_file.002", "tmp_file.003"})
        EXPECT_FALSE(InWork(copy)) << copy;
    EXPECT_TRUE(InWork("tmp_lz_001.pdf"));
    EXPECT_EQ(m_Controller.Prij.ICZ, "");
    TInvoiceForm expected;
    expected.ICZ = "12345678";
    expected.ICO = "87654321";
    expected.RokFaktury = "2024";
    expected.DatVystaveni = "  .  .    ";
    expected.DatOdeslani = "  .  .    ";
    expected.DatPrijeti = "15.03.2024";
    expected.DatSplatnosti = "  .  .    ";
    expected.Ucet = "123456789";
    expected.Banka = "0100";
    expected.GenerFak = true;
    expected.DodavatelNazev = "Poliklinika Lemo";
    expected.DodavatelUlice = "Nádražní 12";
    expected.DodavatelPsc = "11000";
    expected.DodavatelObec = "Praha";
    EXPECT_EQ(m_Window.InvoiceTab()->ReadForm(), expected);
    EXPECT_EQ(Find<QLineEdit>("cedtCastka")->text(), QStringLiteral("0,00"));
    EXPECT_TRUE(dynamic_cast<TDaxControl*>(Find("cedtDodavatelNazev"))->Required());
}

} // namespace

namespace {
// The tab stays, as the focus does, while a field refuses what it holds; by mouse, wheel or Ctrl+Tab.
TEST_F(InvoiceTabTest, ARefusingFieldKeepsTheTab) {
    QTabBar* tabs = m_Window.PageControl()->tabBar();
    TypeInto("edtDatVystaveni", QStringLiteral("15132024"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QWheelEvent wheel(tabs->tabRect(0).center(), tabs->mapToGlobal(tabs->tabRect(0).center()), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
    QTest::keyClick(Find("edtDatVystaveni"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(m_Window.PageControl()->currentIndex(), 0);
    EXPECT_EQ(Focused(), "edtDatVystaveni");
    EXPECT_EQ(Errors(), std::vector<std::string>(3, "Nepřípustná hodnota 15.13.2024 pro datum."));
    // Corrected, it lets the tab change.
    m_Boxes.Shown.clear();
    Find<TMaskDateEdit>("edtDatVystaveni")->SetText("15.03.2024");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(m_Window.PageControl()->currentIndex(), 1);
    EXPECT_TRUE(m_Boxes.Shown.empty());
}
} // namespace
