// Runs the built ndlemo-check on the fixtures under data/check and compares its exact output and exit status.

#include "tools/ToolProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Fixture(const std::string& name) {
    return std::string(NDLEMO_TEST_DATA_DIR) + "/check/" + name;
}

// Runs the tool under the C locale (dates as dd.mm.yyyy).
ndlemo::test::TToolRun RunCheck(const std::vector<std::string>& args) {
    return ndlemo::test::RunTool("ndlemo-check", args);
}

struct TReportCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Expected;
    int Status;
};

TEST(NdlemoCheck, PrintsTheReportOfTheFilesPart) {
    const std::string clean = Fixture("clean.txt");
    const std::string cleanLf = Fixture("clean_lf.txt");
    const std::string errors = Fixture("errors.txt");
    const std::string missing = Fixture("missing.txt");
    const std::string empty = Fixture("empty.txt");
    const std::string noHeader = Fixture("noheader.txt");

    const std::string errorLines =
        "Řádek 4: Nepřípustná hodnota \"L01032024Žluťoučký kůň       \" pro \"Věta typu V\"\n"
        "Řádek 5: Nepřípustná hodnota \"01.04.2024\" pro \"Datum výkonu (mimo období dávky)\"\n"
        "Řádek 6: Chybné pořadí dokladů v dávce\n"
        "Řádek 7: Číslo dokladu 101 období \"2024\" již existuje\n";
    const std::string moduloLine = "Řádek 8: Nepřípustná hodnota \"7801011241\" pro \"Číslo poj.\"\n";
    const std::string laterLines =
        "Řádek 10: Chybný typ věty \"X\"\n"
        "Řádek 11: Chybný počet dokladů v dávce 5\n"
        "Řádek 11: Nepřípustná hodnota \"88\" pro \"Typ dávky\"\n"
        "Řádek 11: Nepřípustná hodnota \"87654321\" pro \"IČZ\"\n"
        "Řádek 12: Nepřípustná hodnota \"88, A\" pro \"Typ dávky, typ dokladu\"\n"
        "Řádek 13: Číslo dávky 5 období \"2024\" již existuje\n"
        "Řádek 15: Nepřípustná hodnota \"09.03.2024\" pro \"Datum hospitalizačního výkonu\"\n";
    const std::string accepted = "Fakturu a dávky lze přijmout\n";
    const std::string refused = "Fakturu a dávky nelze přijmout\n";

    const std::vector<TReportCase> cases = {
        {"clean file with its batch rows",
         {"--icz", "12345678", "--batches", clean},
         "1\t5\t03\t2024\t\n1\t6\t02\t2024\t\n" + accepted,
         0},
        {"LF lines and text after the end mark", {"--icz=12345678", cleanLf}, accepted, 0},
        {"record errors of one file",
         {"--icz", "12345678", "--batches", errors},
         "1\t5\t03\t2024\tAno\n1\t6\t03\t2024\t\n1\t5\t03\t2024\t\nChyby souboru 1 :\n" + errorLines + moduloLine +
             laterLines + "\n" + refused,
         1},
        {"modulo rule off",
         {"--no-modulo", "--icz", "12345678", errors},
         "Chyby souboru 1 :\n" + errorLines + laterLines + "\n" + refused,
         1},
        {"duplicates across files share the registers",
         {"--icz", "12345678", "--batches", clean, cleanLf},
         "1\t5\t03\t2024\t\n1\t6\t02\t2024\t\n2\t5\t03\t2024\tAno\n2\t6\t02\t2024\t\n"
         "Chyby souboru 2 :\n"
         "Řádek 1: Číslo dávky 5 období \"2024\" již existuje\n"
         "Řádek 2: Číslo dokladu 101 období \"2024\" již existuje\n"
         "Řádek 6: Číslo dokladu 102 období \"2024\" již existuje\n"
         "Řádek 9: Číslo dávky 6 období \"2024\" již existuje\n"
         "Řádek 10: Číslo dokladu 201 období \"2024\" již existuje\n\n" +
             refused,
         1},
        {"another invoice IČZ",
         {"--icz", "11111111", clean},
         "Chyby souboru 1 :\n"
         "Řádek 1: Nepřípustná hodnota \"12345678\" pro \"IČZ\"\n"
         "Řádek 9: Nepřípustná hodnota \"12345678\" pro \"IČZ\"\n\n" +
             refused,
         1},
        {"missing file after a clean one",
         {"--icz", "12345678", "--batches", clean, missing},
         "1\t5\t03\t2024\t\n1\t6\t02\t2024\t\nChyby souboru 2 :\nSoubor \"" + missing + "\" neexistuje\n\n" + refused,
         1},
        {"empty file",
         {"--icz", "12345678", empty},
         "Chyby souboru 1 :\nSoubor \"" + empty + "\" je prázdný\n\n" + refused,
         1},
        {"no batch header after line errors",
         {"--icz", "12345678", "--batches", noHeader},
         "Chyby souboru 1 :\nŘádek 2: Není přiřazena dávka\nŘádek 4: Chybný typ věty \"Q\"\n"
         "Nejsou přiřazeny žádné soubory\n\n" +
             refused,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ndlemo::test::TToolRun r = RunCheck(c.Args);
        EXPECT_EQ(r.Out, c.Expected);
        EXPECT_EQ(r.Status, c.Status);
        EXPECT_EQ(r.Err, "");
    }
}

TEST(NdlemoCheck, UsageErrorsExitWithTwoAndPrintNothingOnStdout) {
    const std::string clean = Fixture("clean.txt");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {clean},
        {"--icz", "12345678"},
        {"--icz"},
        {clean, "--icz"},
        {"--icz", "", clean},
        {"--icz", "12345678", "--modulo", clean},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args)
            joined += "[" + a + "]";
        SCOPED_TRACE(joined);
        ndlemo::test::TToolRun r = RunCheck(args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Out, "");
        EXPECT_NE(r.Err.find("usage: ndlemo-check --icz ICZ"), std::string::npos) << r.Err;
    }
}

} // namespace
