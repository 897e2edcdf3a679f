#include "batch/TLemoSoubor.h"

#include "BatchTestRecords.h"
#include "BatchTestSupport.h"
#include "TestData.h"
#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ndlemo {
namespace {

using namespace test;
namespace fs = std::filesystem;

const std::string DataDir = std::string(NDLEMO_TEST_DATA_DIR) + "/batch/";

// Writes the bytes to a file of this test's own directory (tests may run in parallel processes).
std::string WriteFile(const std::string& name, const std::string& bytes) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path dir = fs::path(::testing::TempDir()) / "ndlemo_batch_reader" /
                   (std::string(info->test_suite_name()) + "." + info->name());
    fs::create_directories(dir);
    fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

// The code-page-852 form of UTF-8 test lines.
std::string Cp852(const std::string& utf8) {
    return TranslateChars(0, 1, Utf8ToCp1250(utf8));
}

std::string Lines(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string s;
    for (const auto& l : lines)
        s += Cp852(l) + eol;
    return s;
}

struct TRun {
    TKeyRegister BatchKeys;
    TKeyRegister DocKeys;
    TLemoSoubor Soubor;

    // Reads the bytes as one file and returns its errors.
    std::vector<std::string> Read(const std::string& bytes, bool modulo = true) {
        Soubor.Vycisti();
        Soubor.KontrolaModulo = modulo;
        Soubor.JmenoSouboru = WriteFile("file.dav", bytes);
        Soubor.Nacti(BatchKeys, DocKeys, TestIcz);
        return Soubor.Chyby;
    }
};

std::vector<std::string> ErrorsOf(const std::vector<std::string>& lines, bool modulo = true) {
    TRun run;
    return run.Read(Lines(lines), modulo);
}

using Errors = std::vector<std::string>;

TEST(TLemoSouborNactiTest, AValidFileOfEveryTypeAndLengthPassesClean) {
    TKeyRegister batchKeys;
    TKeyRegister docKeys;
    TLemoSoubor soubor;
    soubor.JmenoSouboru = DataDir + "valid_all_types.dav";
    soubor.Nacti(batchKeys, docKeys, TestIcz);
    EXPECT_EQ(soubor.Chyby, Errors{});
    ASSERT_EQ(soubor.Davky.size(), 9u);
    const TDavka& first = soubor.Davky[0]->Davka;
    EXPECT_EQ(first.Charakter, "P");
    EXPECT_EQ(first.Typ, "98");
    EXPECT_EQ(first.ICZ, TestIcz);
    EXPECT_EQ(first.Rok, "2011");
    EXPECT_EQ(first.Mesic, "03");
    EXPECT_EQ(first.Cislo, 1);
    EXPECT_EQ(first.PocetDokladu, 2);
    EXPECT_EQ(first.Celkem, 1234);
    EXPECT_DOUBLE_EQ(first.Castka, 1234.5);
    EXPECT_EQ(soubor.Davky[1]->Davka.Doplnek1, "VERZE 1.0");
    for (size_t i = 0; i < soubor.Davky.size(); ++i)
        EXPECT_EQ(soubor.Davky[i]->Davka.Cislo, static_cast<int>(i) + 1);
    EXPECT_EQ(batchKeys.Size(), 9u);
    EXPECT_EQ(docKeys.Size(), 17u);
}

TEST(TLemoSouborNactiTest, ReportsEveryFileLevelRuleWithItsLine) {
    TKeyRegister batchKeys;
    TKeyRegister docKeys;
    TLemoSoubor soubor;
    soubor.JmenoSouboru = DataDir + "errors_mixed.dav";
    soubor.Nacti(batchKeys, docKeys, TestIcz);
    EXPECT_EQ(soubor.Chyby, (Errors{
                                "Řádek 6: Chybné pořadí dokladů v dávce",
                                "Řádek 7: Chybný počet dokladů v dávce 1",
                                "Řádek 8: Číslo dokladu 102 období \"2011\" již existuje",
                                "Řádek 10: Chybný typ věty \"x\"",
                                "Řádek 11: Chybný typ věty \"Č\"",
                                "Řádek 12: Nepřípustná hodnota \"88\" pro \"Typ dávky\"",
                                "Řádek 12: Nepřípustná hodnota \"87654321\" pro \"IČZ\"",
                                "Řádek 12: Číslo dávky 1 období \"2011\" již existuje",
                                "Řádek 13: Nepřípustná hodnota \"88, A\" pro \"Typ dávky, typ dokladu\"",
                                "Řádek 15: Chybný počet dokladů v dávce 1",
                                "Řádek 15: Chybná délka věty \"dávky\"",
                                "Řádek 16: Není přiřazena dávka",
                                "Řádek 20: Chybný počet dokladů v dávce 4",
                            }));
    // The failed header stays among the batches.
    EXPECT_EQ(soubor.Davky.size(), 5u);
}

TEST(TLemoSouborNactiTest, RaisesTheFourErrorsThatEndAFile) {
    TKeyRegister b;
    TKeyRegister d;
    TLemoSoubor soubor;
    auto message = [&](const std::string& name) {
        soubor.JmenoSouboru = name;
        return MessageOf<ESubroutineError>([&] { soubor.Nacti(b, d, TestIcz); });
    };
    EXPECT_EQ(message(""), "Soubor \"\" neexistuje");
    std::string missing = (fs::path(::testing::TempDir()) / "no_such_file.dav").string();
    EXPECT_EQ(message(missing), "Soubor \"" + missing + "\" neexistuje");
    std::string dir = fs::path(WriteFile("x", "")).parent_path().string();
    EXPECT_EQ(message(dir), "Soubor \"" + dir + "\" neexistuje");
    std::string empty = WriteFile("empty.dav", "");
    EXPECT_EQ(message(empty), "Soubor \"" + empty + "\" je prázdný");
    std::string ctrlZ = WriteFile("ctrlz.dav", "\x1A" + Lines({Header("98", 1, 0)}));
    EXPECT_EQ(message(ctrlZ), "Soubor \"" + ctrlZ + "\" je prázdný");
    std::string blank = WriteFile("blank.dav", "\r\n\n\r\n");
    EXPECT_EQ(message(blank), "Nejsou přiřazeny žádné soubory");
    std::string noHeader = WriteFile("noheader.dav", Lines({Doc01(), "x"}));
    EXPECT_EQ(message(noHeader), "Nejsou přiřazeny žádné soubory");
    // Line errors found before stay.
    EXPECT_EQ(soubor.Chyby, (Errors{"Řádek 1: Není přiřazena dávka", "Řádek 2: Chybný typ věty \"x\""}));
}

TEST(TLemoSouborNactiTest, CountsEmptyLinesInTheNumbering) {
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1), "", "", "", Doc01().Set(45, "x    ")}),
              Errors{"Řádek 5: Nepřípustná hodnota \"x\" pro \"Diagnóza\""});
}

TEST(TLemoSouborNactiTest, ChecksTheDeclaredCountAtTheNextHeaderAndAtTheEnd) {
    EXPECT_EQ(ErrorsOf({Header("98", 1, 3), Doc01(1, 1), Doc01(2, 2), Header("98", 2, 1), Doc01(3, 1), "", ""}),
              Errors{"Řádek 4: Chybný počet dokladů v dávce 1"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1), Doc01(1, 1), Header("98", 2, 1), Doc01(3, 1), Item01(), Doc01(4, 2)}),
              Errors{"Řádek 6: Chybný počet dokladů v dávce 2"});
    // The end check uses the last line read, empty ones included.
    EXPECT_EQ(ErrorsOf({Header("98", 7, 0), Doc01(1, 1), "", ""}), Errors{"Řádek 4: Chybný počet dokladů v dávce 7"});
    // A document that fails its checks still counts.
    EXPECT_EQ(ErrorsOf({Header("98", 1, 2), Doc01(1, 1), Doc01(2, 2).Set(45, "x    ")}),
              Errors{"Řádek 3: Nepřípustná hodnota \"x\" pro \"Diagnóza\""});
}

TEST(TLemoSouborNactiTest, OrderNumbersMustRiseWithinABatch) {
    EXPECT_EQ(ErrorsOf({Header("98", 1, 5), Doc01(1, 1), Doc01(2, 3), Doc01(3, 2), Doc01(4, 2), Doc01(5, 3)}),
              (Errors{"Řádek 4: Chybné pořadí dokladů v dávce", "Řádek 5: Chybné pořadí dokladů v dávce"}));
    // A failed document does not move the last order number; a new batch starts again.
    EXPECT_EQ(
        ErrorsOf({Header("98", 1, 2), Doc01(1, 5).Set(45, "x    "), Doc01(2, 1), Header("98", 2, 1), Doc01(3, 1)}),
        Errors{"Řádek 2: Nepřípustná hodnota \"x\" pro \"Diagnóza\""});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1), Doc01(1, 0)}), Errors{"Řádek 2: Chybné pořadí dokladů v dávce"});
}

TEST(TLemoSouborNactiTest, FindsDuplicateBatchesAndDocumentsAcrossFilesOfOneRun) {
    TRun run;
    std::string file1 = Lines({Header("98", 5, 2), Doc01(100, 1), Doc01(101, 2)});
    EXPECT_EQ(run.Read(file1), Errors{});
    std::string file2 = Lines({Header("98", 5, 1), Doc01(101, 1), Header("98", 6, 1, "2012"), Doc01(100, 1),
                               Header("98", 7, 1, "2011", "04"), Doc01(102, 1)});
    EXPECT_EQ(run.Read(file2), (Errors{"Řádek 1: Číslo dávky 5 období \"2011\" již existuje",
                                       "Řádek 2: Číslo dokladu 101 období \"2011\" již existuje"}));
    // A new run starts with empty registers.
    TRun other;
    EXPECT_EQ(other.Read(file2), Errors{});
    // A failed document does not enter the register.
    EXPECT_EQ(ErrorsOf({Header("98", 1, 2), Doc01(9, 1).Set(45, "x    "), Doc01(9, 2)}),
              Errors{"Řádek 2: Nepřípustná hodnota \"x\" pro \"Diagnóza\""});
}

TEST(TLemoSouborNactiTest, AFailedHeaderLeavesNoBatchOpen) {
    TRun run;
    EXPECT_EQ(run.Read(Lines({Header("98", 1, 1).Resize(61), Doc01(1, 1), Item01(), ItemG(), Doc01(2, 2), Item01(),
                              Header("98", 2, 1), Doc01(3, 1), Item01()})),
              (Errors{"Řádek 1: Chybná délka věty \"dávky\"", "Řádek 2: Není přiřazena dávka",
                      "Řádek 5: Není přiřazena dávka"}));
    EXPECT_EQ(run.Soubor.Davky.size(), 2u);
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1).Set(2, "X")}),
              Errors{"Řádek 1: Hodnota \"Char. dávky\" smí obsahovat pouze znaky \"P\""});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1).Set(2, " ")}),
              Errors{"Řádek 1: Délka hodnoty \"Char. dávky\" musí být 1 a ne 0"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1, "2011", "13")}),
              Errors{"Řádek 1: Nepřípustná hodnota \"01132011\" pro datum"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1, "2011", " 3")}),
              Errors{"Řádek 1: Nepřípustná hodnota \"0132011\" pro datum"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1).Set(43, "      12,50.0     ")}),
              Errors{"Řádek 1: '12,50,0' is not a valid floating point value"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1).Resize(63)}), Errors{"Řádek 1: Chybná délka věty \"dávky\""});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0).Resize(88).Set(62, "VERZE")}), Errors{});
}

TEST(TLemoSouborNactiTest, IntegerFieldsTakeLeadingButNotTrailingSpaces) {
    TRun run;
    EXPECT_EQ(run.Read(Lines({Header("98", 1, 0).Set(23, "    12")})), Errors{});
    EXPECT_EQ(run.Soubor.Davky[0]->Davka.Cislo, 12);
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0).Set(23, "12    ")}),
              Errors{"Řádek 1: '12    ' is not a valid integer value"});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0).Set(23, "      ")}),
              Errors{"Řádek 1: '      ' is not a valid integer value"});
}

TEST(TLemoSouborNactiTest, ReportsABatchOfWrongTypeOrIczAndKeepsItOpen) {
    EXPECT_EQ(ErrorsOf({Header("88", 1, 1), Doc01(1, 1), Item01()}),
              (Errors{"Řádek 1: Nepřípustná hodnota \"88\" pro \"Typ dávky\"",
                      "Řádek 2: Nepřípustná hodnota \"88, A\" pro \"Typ dávky, typ dokladu\""}));
    EXPECT_EQ(ErrorsOf({Header("  ", 1, 1), Doc01(1, 1)}),
              (Errors{"Řádek 1: Nepřípustná hodnota \"\" pro \"Typ dávky\"",
                      "Řádek 2: Nepřípustná hodnota \"\" pro \"Typ dávky\""}));
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0, "2011", "03", "1234567 ")}),
              Errors{"Řádek 1: Nepřípustná hodnota \"1234567\" pro \"IČZ\""});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1, "1850"), Doc01(1, 1)}),
              Errors{"Řádek 2: Nepřípustná hodnota \"1850\" pro \"Rok\""});
}

TEST(TLemoSouborNactiTest, DispatchesOnTheFirstCharacter) {
    EXPECT_EQ(
        ErrorsOf({Header("98", 1, 1), "d", "N whatever", "K", " x", Doc01(1, 1), "v"}),
        (Errors{"Řádek 2: Chybný typ věty \"d\"", "Řádek 5: Chybný typ věty \" \"", "Řádek 7: Chybný typ věty \"v\""}));
}

TEST(TLemoSouborNactiTest, SkipsItemsWithoutAnOpenDocumentSilently) {
    EXPECT_EQ(ErrorsOf({Header("98", 1, 2), Item01().Set(2, "bad"), ItemG("x"), Doc01(1, 1).Set(32, "XXX"),
                        Item01().Set(2, "bad"), ItemG("x"), Doc01(2, 2), Item01().Set(2, "bad")}),
              (Errors{"Řádek 4: Nepřípustná hodnota \"XXX\" pro \"Odbornost\"",
                      "Řádek 8: Nepřípustná hodnota \"bad32011\" pro datum"}));
    // A new header closes the document.
    EXPECT_EQ(ErrorsOf({Header("98", 1, 1), Doc01(1, 1), Header("98", 2, 0), Item01().Set(2, "bad")}), Errors{});
}

TEST(TLemoSouborNactiTest, AppliesTheModuloRuleOnlyWhenAsked) {
    std::vector<std::string> lines = {Header("98", 1, 1), Doc01(1, 1, RcNoModulo), Item01(), Header("05", 2, 1),
                                      Doc05(2, 1),        Item05(RcNoModulo)};
    EXPECT_EQ(ErrorsOf(lines, true), (Errors{"Řádek 2: Nepřípustná hodnota \"8001011228\" pro \"Číslo poj.\"",
                                             "Řádek 6: Nepřípustná hodnota \"8001011228\" pro \"Číslo poj.\""}));
    EXPECT_EQ(ErrorsOf(lines, false), Errors{});
}

TEST(TLemoSouborNactiTest, ReportsItemAndDiagnosisErrorsWithTheirLines) {
    EXPECT_EQ(
        ErrorsOf({Header("99", 1, 2), Doc02(1, 1), Item02(25, "28022011"), ItemG("J06.9"), Doc03(2, 2), Item01()}),
        (Errors{"Řádek 3: Nepřípustná hodnota \"28.02.2011\" pro \"Datum hospitalizačního výkonu\"",
                "Řádek 4: Nepřípustná hodnota \"J06.9\" pro \"Diagnóza\"",
                "Řádek 6: Nepřípustná hodnota \"" + Item01().Str() + "\" pro \"Věta typu L\""}));
}

TEST(TLemoSouborNactiTest, SplitsLinesAtLineFeedsDropsLoneReturnsAndStopsAtCtrlZ) {
    std::string h = Header("98", 1, 1);
    std::string d = Doc01(1, 1);
    EXPECT_EQ(TRun().Read(h + "\n" + d + "\n"), Errors{});
    EXPECT_EQ(TRun().Read(h + "\r\n" + d), Errors{});
    // A lone carriage return inside a line is dropped, the line goes on.
    EXPECT_EQ(TRun().Read(h.substr(0, 30) + "\r" + h.substr(30) + "\r\n" + d + "\r"), Errors{});
    // After Ctrl+Z nothing is read: the document below would give a count error.
    EXPECT_EQ(TRun().Read(h + "\r\n" + d + "\x1A" + "\r\nx\r\n"), Errors{});
    EXPECT_EQ(TRun().Read(h + "\r\n" + d + "\r\n\x1A" + Doc01(2, 2).Str()), Errors{});
    EXPECT_EQ(TRun().Read(h + "\r\n\r\n\x1A"), Errors{"Řádek 2: Chybný počet dokladů v dávce 1"});
}

TEST(TLemoSouborNactiTest, ReadsLinesOfAnyLength) {
    std::string longLine(700000, ' ');
    longLine[0] = 'D';
    std::string bytes = Lines({Header("98", 1, 1)}) + longLine + "\r\n" + Lines({Doc01(1, 1)});
    TRun run;
    EXPECT_EQ(run.Read(bytes), (Errors{"Řádek 2: Chybný počet dokladů v dávce 1",
                                       "Řádek 2: Chybná délka věty \"dávky\"", "Řádek 3: Není přiřazena dávka"}));
    // Many lines across block boundaries keep their numbers.
    std::vector<std::string> lines = {Header("98", 1, 1), Doc01(1, 1)};
    for (int i = 0; i < 20000; ++i)
        lines.push_back(Item01());
    lines.push_back(Item01(29, "01042011"));
    EXPECT_EQ(ErrorsOf(lines), Errors{"Řádek 20003: Nepřípustná hodnota \"01.04.2011\" pro \"Datum výkonu (mimo "
                                      "období dávky)\""});
}

TEST(TLemoSouborNactiTest, CountsColumnsInCharactersOfTheTranslatedLine) {
    // Code page 852 letters in the places of a long type 34 record and of type 36 items.
    std::string doc = Doc34(1, 1, 255).Set(115, "Náměstí Míru 1").Set(145, "Třebíč").Str();
    TRun run;
    EXPECT_EQ(run.Read(Lines({Header("34", 1, 1), doc, Item34()})), Errors{});
    EXPECT_EQ(ErrorsOf({Header("37", 1, 1), Doc37().Set(45, "Ž069 ")}),
              Errors{"Řádek 2: Nepřípustná hodnota \"Ž069\" pro \"Diagnóza\""});
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0), "ŽŠČ"}), Errors{"Řádek 2: Chybný typ věty \"Ž\""});
}

TEST(TLemoSouborNactiTest, TranslatesEveryByteAsTheBatchLineConversionDoes) {
    // A line of each byte above 0x7F is reported with its first character, as translated.
    std::string bytes = Lines({Header("98", 1, 0)});
    Errors expected;
    for (int b = 0x80; b < 0x100; ++b) {
        std::string raw(1, static_cast<char>(b));
        bytes += raw + "x\r\n";
        expected.push_back("Řádek " + std::to_string(b - 0x80 + 2) + ": Chybný typ věty \"" +
                           std::string(Utf8Left(BatchLineToUtf8(raw + "x"), 1)) + "\"");
    }
    EXPECT_EQ(TRun().Read(bytes), expected);
    // The Czech letters of code page 852 arrive as themselves.
    EXPECT_EQ(TRun().Read(Lines({Header("98", 1, 0)}) + "\xAC\r\n"), Errors{"Řádek 2: Chybný typ věty \"Č\""});
}

TEST(TLemoSouborNactiTest, ReadsBytesInMemoryAsItReadsTheFile) {
    std::ifstream in(DataDir + "errors_mixed.dav", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TKeyRegister b1, d1, b2, d2;
    TLemoSoubor fromFile;
    fromFile.JmenoSouboru = DataDir + "errors_mixed.dav";
    fromFile.Nacti(b1, d1, TestIcz);
    TLemoSoubor fromMemory;
    fromMemory.NactiObsah(bytes, b2, d2, TestIcz);
    EXPECT_EQ(fromMemory.Chyby, fromFile.Chyby);
    EXPECT_EQ(fromMemory.Davky.size(), fromFile.Davky.size());
    TLemoSoubor empty;
    empty.JmenoSouboru = "mem";
    EXPECT_THROW(empty.NactiObsah("", b2, d2, TestIcz), ESubroutineError);
}

TEST(TLemoSouborTest, ClearingFreesEveryBatchAndEmptiesTheFields) {
    TLemoSoubor soubor;
    soubor.JmenoSouboru = "a.txt";
    soubor.Velikost = 10;
    soubor.Zdroj = "src";
    soubor.DatumZdroje = TDateTime(40000.5);
    soubor.Davky.push_back(std::make_unique<TPrijDavka>());
    soubor.Davky.push_back(std::make_unique<TPrijDavka>());
    soubor.Chyby.push_back("Řádek 1: x");
    soubor.Vycisti();
    EXPECT_EQ(soubor.JmenoSouboru, "");
    EXPECT_EQ(soubor.Velikost, 0);
    EXPECT_EQ(soubor.Zdroj, "");
    EXPECT_TRUE(soubor.DatumZdroje.IsNull());
    EXPECT_TRUE(soubor.Davky.empty());
    EXPECT_TRUE(soubor.Chyby.empty());
    EXPECT_TRUE(soubor.KontrolaModulo);
}

struct HeaderNumberField {
    size_t Column;
    size_t Width;
    const char* Kind;
};

class HeaderNumberFieldTest : public ::testing::TestWithParam<HeaderNumberField> {};

// Every number of the batch header fails its line when it holds none, and the message shows exactly its columns.
TEST_P(HeaderNumberFieldTest, FailsWithExactlyItsColumns) {
    const HeaderNumberField& c = GetParam();
    std::string bad(c.Width, 'z');
    EXPECT_EQ(ErrorsOf({Header("98", 1, 0).Set(c.Column, bad)}), Errors{"Řádek 1: " + NotANumber(c.Kind, bad)});
}

INSTANTIATE_TEST_SUITE_P(Columns, HeaderNumberFieldTest,
                         ::testing::Values(HeaderNumberField{23, 6, "integer"}, HeaderNumberField{29, 3, "integer"},
                                           HeaderNumberField{32, 11, "integer"}, HeaderNumberField{43, 18, "decimal"}));

} // namespace
} // namespace ndlemo
