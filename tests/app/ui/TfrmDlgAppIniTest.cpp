#include "app/ui/TfrmDlgAppIni.h"

#include "support/TRequestList.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TfrmDlgRequestErr.h"

#include "TestTempDir.h"
#include "support/ui/DialogScript.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
using ndlemo::test::Child;
namespace fs = std::filesystem;

namespace {
class AppIniDialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* sub : {"davky", "odeslane", "upload"})
            fs::create_directory(m_Dir / sub);
        m_Settings.Pracoviste = "AB12";
        m_Settings.DirDavky = (m_Dir / "davky").string();
        m_Settings.DirOdeslane = (m_Dir / "odeslane").string();
        m_Settings.IntSplatnosti = 14;
        m_Settings.DefaultICZ = "12345678";
        m_Settings.TypPrenosu = TTransferType("SCP");
        m_Settings.DefaultDodNazev = "Ordinace";
        TfrmDlgRequestErr::SetShowHook([this](TfrmDlgRequestErr& dialog) {
            ++m_RequestLists;
            for (int r = 0; r < dialog.Grid()->rowCount(); ++r)
                for (int c = 0; c < dialog.Grid()->columnCount(); ++c)
                    if (auto* item = dialog.Grid()->item(r, c))
                        m_RequestTexts += item->text().toStdString() + "|";
        });
    }
    void TearDown() override { TfrmDlgRequestErr::SetShowHook(nullptr); }
    std::string ReadIni() const { return m_Temp.ReadFile(m_Ini); }
    // Edit mode with every field the rules need filled.
    static void StartEditing(TfrmDlgAppIni& dialog) {
        dialog.show();
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnEdit"), Qt::LeftButton);
        ASSERT_TRUE(dialog.EditMode());
    }

    test::TTestTempDir m_Temp{"dlg"};
    const fs::path m_Dir = m_Temp.Path();
    const fs::path m_Ini = m_Dir / "NdLemo.ini";
    AppSettings m_Settings;
    TScriptedMessageBoxes m_Boxes;
    int m_RequestLists = 0;
    std::string m_RequestTexts;
};

std::vector<TDaxEdit*> Edits(const TfrmDlgAppIni& d) {
    return {Child<TDaxEdit>(d, "cedtPracoviste"),
            Child<TDaxEdit>(d, "cedtDirDavky"),
            Child<TDaxEdit>(d, "cedtDirOdeslane"),
            Child<TDaxEdit>(d, "cedtIntSplatnosti"),
            Child<TDaxEdit>(d, "cedtDefaultICZ"),
            Child<TDaxEdit>(d, "cedtDefaultICO"),
            Child<TDaxEdit>(d, "cedtDefaultCisloUctu"),
            Child<TDaxEdit>(d, "cedtDefaultKodBanky"),
            Child<TDaxEdit>(d, "cedtAdresaUploadLemo"),
            Child<TDaxEdit>(d, "cedtDirUploadLemo"),
            Child<TDaxEdit>(d, "cedtDefaultDodavatelNazev"),
            Child<TDaxEdit>(d, "cedtDefaultDodavatelUlice"),
            Child<TDaxEdit>(d, "cedtDefaultDodavatelPsc"),
            Child<TDaxEdit>(d, "cedtDefaultDodavatelObec"),
            Child<TDaxEdit>(d, "cedtDefaultOdberatelNazev"),
            Child<TDaxEdit>(d, "cedtDefaultOdberatelUlice"),
            Child<TDaxEdit>(d, "cedtDefaultOdberatelPsc"),
            Child<TDaxEdit>(d, "cedtDefaultOdberatelObec"),
            Child<TDaxEdit>(d, "cedtDefaultOdberatelICO")};
}

// The names of the edits that are required at the moment.
std::vector<std::string> RequiredEdits(const TfrmDlgAppIni& d) {
    std::vector<std::string> names;
    for (TDaxEdit* e : Edits(d)) {
        EXPECT_FALSE(e->isReadOnly()) << e->objectName().toStdString();
        if (e->Required())
            names.push_back(e->objectName().toStdString());
    }
    return names;
}
} // namespace

TEST_F(AppIniDialogFixture, FieldsCarryTheirLimitsFiltersAndDisplayNames) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    EXPECT_EQ(dialog.windowTitle(), "Nastavení programu");
    struct TRow {
        TDaxEdit* Edit;
        const char* Name;
        int MaxLength;
        const char* DisplayName;
        bool DigitsOnly;
    };
    const TRow rows[] = {
        {Child<TDaxEdit>(dialog, "cedtPracoviste"), "cedtPracoviste", 4, "Pracoviště", false},
        {Child<TDaxEdit>(dialog, "cedtDirDavky"), "cedtDirDavky", 0, "Adresář dávek", false},
        {Child<TDaxEdit>(dialog, "cedtDirOdeslane"), "cedtDirOdeslane", 0, "Adresář odeslaných souborů", false},
        {Child<TDaxEdit>(dialog, "cedtIntSplatnosti"), "cedtIntSplatnosti", 3, "Interval splatnosti", true},
        {Child<TDaxEdit>(dialog, "cedtDefaultICZ"), "cedtDefaultICZ", 8, "IČZ", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultICO"), "cedtDefaultICO", 8, "IČ", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultCisloUctu"), "cedtDefaultCisloUctu", 25, "Číslo účtu", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultKodBanky"), "cedtDefaultKodBanky", 4, "Kód banky", false},
        {Child<TDaxEdit>(dialog, "cedtAdresaUploadLemo"), "cedtAdresaUploadLemo", 0, "Adresa stránky uploadu Lemo",
         false},
        {Child<TDaxEdit>(dialog, "cedtDirUploadLemo"), "cedtDirUploadLemo", 0, "Adresář uploadu Lemo", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultDodavatelNazev"), "cedtDefaultDodavatelNazev", 50, "Název dodavatele",
         false},
        {Child<TDaxEdit>(dialog, "cedtDefaultDodavatelUlice"), "cedtDefaultDodavatelUlice", 50, "Ulice dodavatele",
         false},
        {Child<TDaxEdit>(dialog, "cedtDefaultDodavatelPsc"), "cedtDefaultDodavatelPsc", 5, "PSČ dodavatele ", true},
        {Child<TDaxEdit>(dialog, "cedtDefaultDodavatelObec"), "cedtDefaultDodavatelObec", 50, "Obec dodavatele", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultOdberatelNazev"), "cedtDefaultOdberatelNazev", 50, "Název odběratele",
         false},
        {Child<TDaxEdit>(dialog, "cedtDefaultOdberatelUlice"), "cedtDefaultOdberatelUlice", 50, "Ulice odběratele",
         false},
        {Child<TDaxEdit>(dialog, "cedtDefaultOdberatelPsc"), "cedtDefaultOdberatelPsc", 5, "PSČ odběratele ", true},
        {Child<TDaxEdit>(dialog, "cedtDefaultOdberatelObec"), "cedtDefaultOdberatelObec", 50, "Obec odběratele", false},
        {Child<TDaxEdit>(dialog, "cedtDefaultOdberatelICO"), "cedtDefaultOdberatelICO", 8, "IČ odběratele", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(dialog.findChild<TDaxEdit*>(row.Name), row.Edit);
        EXPECT_EQ(row.Edit->MaxLength(), row.MaxLength);
        EXPECT_EQ(row.Edit->DisplayName(), row.DisplayName);
        EXPECT_EQ(row.Edit->AllowedChars(), row.DigitsOnly ? "0123456789" : "");
    }
    EXPECT_TRUE(Child<TDaxEdit>(dialog, "cedtPracoviste")->UpperCase());
    EXPECT_EQ(dialog.findChild<TDaxComboBox*>("ccbTypPrenosu")->DisplayName(), "Typ přenosu");
    EXPECT_EQ(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->count(), 2);
    EXPECT_EQ(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->itemText(0), "SCP");
    EXPECT_EQ(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->itemText(1), "UPLOAD");
    EXPECT_EQ(dialog.findChild<TDaxCheckBox*>("cchbDefaultGenerFak")->text(), "Generovat fakturu");

    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* text : {"Přednastavené hodnoty faktury", "Dodavatel", "Odběratel", "Nastavení přenosu",
                             "Typ přenosu ", "Název ", "Adresář odeslaných souborů", "Interval splatnosti"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtnEdit")->text(), "Edit");
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtnCancel")->text(), "Zpět");
    EXPECT_EQ(dialog.findChild<QPushButton*>("bbtnPrenosScp")->text(), "Přenos SCP");
    EXPECT_NE(dialog.findChild<QPushButton*>("bbtnOK"), nullptr);
}

TEST_F(AppIniDialogFixture, EveryShowFillsTheFieldsAndStartsInViewMode) {
    m_Settings.TypPrenosu = TTransferType("UPLOAD");
    m_Settings.DefaultGenerovat = true;
    m_Settings.UploadOutDir = "/data/upload";
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    dialog.show();
    EXPECT_FALSE(dialog.EditMode());
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtPracoviste")->text(), "AB12");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->text(), "14");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtDefaultDodavatelNazev")->text(), "Ordinace");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtDirUploadLemo")->text(), "/data/upload");
    EXPECT_EQ(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->currentText(), "UPLOAD");
    EXPECT_TRUE(Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->isChecked());
    for (TDaxEdit* e : Edits(dialog))
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
    EXPECT_FALSE(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->isEnabled());
    EXPECT_FALSE(Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(dialog, "bbtnEdit")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtnOK")->isEnabled());

    // Typing in view mode changes nothing.
    QTest::keyClicks(Child<TDaxEdit>(dialog, "cedtDefaultICZ"), "99");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtDefaultICZ")->text(), "12345678");

    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnEdit"), Qt::LeftButton);
    ASSERT_TRUE(dialog.EditMode());
    Child<TDaxEdit>(dialog, "cedtPracoviste")->SetText("ZZ99");
    dialog.hide();

    // The next show forgets the edits and shows the settings as they are now.
    m_Settings.TypPrenosu = TTransferType("FTP");
    m_Settings.IntSplatnosti = -2;
    dialog.show();
    EXPECT_FALSE(dialog.EditMode());
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtPracoviste")->text(), "AB12");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->text(), "-2");
    EXPECT_EQ(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->currentIndex(), -1)
        << "a value that is no code selects nothing";
    EXPECT_TRUE(Child<TDaxEdit>(dialog, "cedtPracoviste")->isReadOnly());
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtnOK")->isEnabled());
}

TEST_F(AppIniDialogFixture, EditModeStatesFollowTheTransferTypeAndGenerate) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    EXPECT_FALSE(Child<QPushButton>(dialog, "bbtnEdit")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(dialog, "bbtnOK")->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), Child<TDaxEdit>(dialog, "cedtPracoviste"));
    EXPECT_TRUE(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->isEnabled());
    EXPECT_TRUE(Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->Required());
    EXPECT_TRUE(Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->isEnabled());

    const std::vector<std::string> base = {"cedtPracoviste", "cedtDirDavky", "cedtDirOdeslane", "cedtIntSplatnosti"};
    EXPECT_EQ(RequiredEdits(dialog), base);

    Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->setCurrentIndex(1);
    std::vector<std::string> upload = base;
    upload.insert(upload.end(), {"cedtAdresaUploadLemo", "cedtDirUploadLemo"});
    EXPECT_EQ(RequiredEdits(dialog), upload);

    Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->click();
    ASSERT_TRUE(Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->isChecked());
    std::vector<std::string> all = upload;
    all.insert(all.end(), {"cedtDefaultDodavatelNazev", "cedtDefaultDodavatelPsc", "cedtDefaultDodavatelObec",
                           "cedtDefaultOdberatelNazev", "cedtDefaultOdberatelUlice", "cedtDefaultOdberatelPsc",
                           "cedtDefaultOdberatelObec", "cedtDefaultOdberatelICO"});
    EXPECT_EQ(RequiredEdits(dialog), all);

    Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->setCurrentIndex(0);
    Child<TDaxCheckBox>(dialog, "cchbDefaultGenerFak")->click();
    EXPECT_EQ(RequiredEdits(dialog), base);
}

TEST_F(AppIniDialogFixture, TypingFiltersApply) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtPracoviste")->clear();
    QTest::keyClicks(Child<TDaxEdit>(dialog, "cedtPracoviste"), "ab1c9");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtPracoviste")->text(), "AB1C");
    Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->clear();
    QTest::keyClicks(Child<TDaxEdit>(dialog, "cedtIntSplatnosti"), "1a 2-34");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->text(), "123");
    QTest::keyClicks(Child<TDaxEdit>(dialog, "cedtDefaultOdberatelPsc"), "110 00x9");
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtDefaultOdberatelPsc")->text(), "11000");
}

TEST_F(AppIniDialogFixture, ZpetAfterEditLeavesTheFileAndTheSettingsUntouched) {
    const std::string original = "[General]\r\nPracoviste=AB12\r\n";
    m_Temp.WriteFile(m_Ini, original);
    const AppSettings before = m_Settings;
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    int saved = 0;
    QObject::connect(&dialog, &TfrmDlgAppIni::SettingsSaved, [&saved] { ++saved; });
    QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnEdit"), Qt::LeftButton);
        Child<TDaxEdit>(dialog, "cedtPracoviste")->SetText("ZZ99");
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnCancel"), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(ReadIni(), original);
    EXPECT_EQ(m_Settings, before);
    EXPECT_EQ(saved, 0);
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(AppIniDialogFixture, OkSavesReloadsAndTellsTheMainWindow) {
    m_Temp.WriteFile(m_Ini, "[General]\r\nPracoviste=AB12\r\nVlastni=ponechat\r\n");
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    int saved = 0;
    std::string panel0;
    QObject::connect(&dialog, &TfrmDlgAppIni::SettingsSaved, [&] {
        ++saved;
        panel0 = m_Settings.Pracoviste;
    });
    const std::string upload = (m_Dir / "upload").string();
    QTimer::singleShot(0, &dialog, [&dialog, upload] {
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnEdit"), Qt::LeftButton);
        Child<TDaxEdit>(dialog, "cedtPracoviste")->SetText("CD34");
        Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->SetText(" 30");
        Child<TDaxEdit>(dialog, "cedtDefaultICO")->SetText("  87654321  ");
        Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->setCurrentIndex(1);
        Child<TDaxEdit>(dialog, "cedtAdresaUploadLemo")->SetText("https://lemo.example/upload.html");
        Child<TDaxEdit>(dialog, "cedtDirUploadLemo")->SetText(upload);
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(m_Boxes.Shown.empty()) << m_Boxes.Shown.front().Text;
    EXPECT_EQ(m_RequestLists, 0) << m_RequestTexts;
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(panel0, "CD34");
    EXPECT_EQ(m_Settings.Pracoviste, "CD34");
    EXPECT_EQ(m_Settings.IntSplatnosti, 30);
    EXPECT_EQ(m_Settings.DefaultICO, "87654321");
    EXPECT_EQ(m_Settings.TypPrenosu.Text(), "UPLOAD");
    EXPECT_EQ(m_Settings.UploadOutDir, upload);
    EXPECT_EQ(m_Settings, LoadAppIni(m_Ini));
    const std::string text = ReadIni();
    EXPECT_NE(text.find("Vlastni=ponechat\r\n"), std::string::npos);
    EXPECT_NE(text.find("DefaultICO=87654321\r\n"), std::string::npos);
    EXPECT_NE(text.find("DefaultGenerovat=N\r\n"), std::string::npos);
}

TEST_F(AppIniDialogFixture, RequiredUploadAddressIsAskedBeforeTheSettingsRules) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtPracoviste")->SetText("ABCD"); // would fail the settings rules
    Child<TDaxComboBox>(dialog, "ccbTypPrenosu")->setCurrentIndex(1);
    Child<TDaxEdit>(dialog, "cedtDirUploadLemo")->SetText((m_Dir / "upload").string());
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'W');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Pole \"Adresa stránky uploadu Lemo\" musí být zadáno");
    EXPECT_EQ(m_RequestLists, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Child<TDaxEdit>(dialog, "cedtAdresaUploadLemo"));
    EXPECT_FALSE(fs::exists(m_Ini));
}

TEST_F(AppIniDialogFixture, IntervalThatIsNoIntegerKeepsTheDialogOpen) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtIntSplatnosti")->SetText("1x"); // pasted past the typing filter
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Nepřípustná hodnota \"1x\" pro \"Interval splatnosti\"");
    EXPECT_EQ(m_RequestLists, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Child<TDaxEdit>(dialog, "cedtIntSplatnosti"));
}

TEST_F(AppIniDialogFixture, BrokenSettingsAreListedAndTheDialogStaysOpen) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtPracoviste")->SetText("ABCD");
    Child<TDaxEdit>(dialog, "cedtDirDavky")->SetText((m_Dir / "nic").string());
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_EQ(m_RequestLists, 1);
    const size_t first = m_RequestTexts.find("Hodnota \"Pracoviště\" musí obsahovat alespoň jeden znak 0..9");
    const size_t second = m_RequestTexts.find("Adresář \"" + (m_Dir / "nic").string() + "\" neexistuje.");
    EXPECT_NE(first, std::string::npos) << m_RequestTexts;
    EXPECT_NE(second, std::string::npos) << m_RequestTexts;
    EXPECT_LT(first, second);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(fs::exists(m_Ini));
    EXPECT_FALSE(fs::exists(m_Dir / "nic"));
}

TEST_F(AppIniDialogFixture, PrenosScpRunsTheMainWindowsAction) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    QAction action("Přenos SCP");
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&triggered] { ++triggered; });
    dialog.SetScpAction(&action);
    dialog.show();
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnPrenosScp"), Qt::LeftButton);
    EXPECT_EQ(triggered, 1);

    int handled = 0;
    dialog.SetScpHandler([&handled] { ++handled; });
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnPrenosScp"), Qt::LeftButton);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(triggered, 1);
}

TEST_F(AppIniDialogFixture, TextTypedIntoAnEmptyViewModeFieldIsNotSaved) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* ico = Child<TDaxEdit>(dialog, "cedtDefaultICO");
        ico->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(ico, "999");
        EXPECT_EQ(ico->Text(), "");
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnEdit"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_NE(ReadIni().find("\r\nDefaultICO=\r\n"), std::string::npos) << ReadIni();
    EXPECT_EQ(m_Settings.DefaultICO, "");
}

TEST_F(AppIniDialogFixture, AValueTheFileCannotHoldIsRefusedWithTheFieldsName) {
    TfrmDlgAppIni dialog(m_Settings, m_Ini);
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtDirDavky")->SetText("/home/jørgen");
    Child<TDaxEdit>(dialog, "cedtDefaultDodavatelNazev")->SetText("Ordinace ☺");
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
    EXPECT_EQ(m_RequestLists, 1);
    const size_t first = m_RequestTexts.find("Nepřípustná hodnota \"/home/jørgen\" pro \"Adresář dávek\"");
    const size_t second = m_RequestTexts.find("Nepřípustná hodnota \"Ordinace ☺\" pro \"Název dodavatele\"");
    EXPECT_NE(first, std::string::npos) << m_RequestTexts;
    EXPECT_NE(second, std::string::npos) << m_RequestTexts;
    EXPECT_LT(first, second);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(fs::exists(m_Ini));
}

TEST_F(AppIniDialogFixture, AFailedSaveIsShownAndKeepsTheDialogTheFileAndTheSettings) {
    const fs::path ini = m_Dir / "missing" / "NdLemo.ini";
    const AppSettings before = m_Settings;
    TfrmDlgAppIni dialog(m_Settings, ini);
    int saved = 0;
    QObject::connect(&dialog, &TfrmDlgAppIni::SettingsSaved, [&saved] { ++saved; });
    StartEditing(dialog);
    Child<TDaxEdit>(dialog, "cedtDefaultICO")->SetText("87654321");
    QTest::mouseClick(Child<QPushButton>(dialog, "bbtnOK"), Qt::LeftButton);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Do souboru \"" + ini.string() + "\" nelze zapisovat: No such file or directory.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Child<TDaxEdit>(dialog, "cedtDefaultICO")->Text(), "87654321");
    EXPECT_EQ(m_Settings, before);
    EXPECT_EQ(saved, 0);
    EXPECT_FALSE(fs::exists(ini.parent_path()));
}
