#include "invoice/TransferDescription.h"

#include "TestData.h"
#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TextCodec.h"
#include "transfer/DescriptionFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;

namespace {
std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(NDLEMO_TEST_DATA_DIR) + "/transfer/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<TLemoSoubor> File(const char* zdroj, int32_t velikost, TDateTime datum) {
    auto file = std::make_unique<TLemoSoubor>();
    file->Zdroj = zdroj;
    file->Velikost = velikost;
    file->DatumZdroje = datum;
    return file;
}

void AddBatch(TLemoSoubor& file, int32_t cislo, const char* rok, const char* mesic, int32_t celkem, double castka) {
    auto batch = std::make_unique<TPrijDavka>();
    batch->Davka.Cislo = cislo;
    batch->Davka.Rok = rok;
    batch->Davka.Mesic = mesic;
    batch->Davka.Celkem = celkem;
    batch->Davka.Castka = castka;
    file.Davky.push_back(std::move(batch));
}

// Czech separators and a fixed "now" for the time of a test.
class TransferDescription : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 4, 2, 14, 7, 33));
    }
    void TearDown() override {
        TClock::SetNow(std::nullopt);
        TFormatSettings::Set(TFormatSettings{});
    }

    [[nodiscard]] std::string Saved(const std::vector<std::string>& lines) const {
        SaveDescriptionFile(m_Dir.Path() / "N.fak", lines);
        return m_Dir.ReadFile("N.fak");
    }

    TTestTempDir m_Dir;
};
} // namespace

TEST_F(TransferDescription, InvoiceVariantByteForByte) {
    TLemoPrij prij;
    prij.ICZ = "12345678";
    prij.ICO = "87654321";
    prij.CisloFaktury = "123";
    prij.RokFaktury = "2024";
    prij.DatumVystaveni = TDate::FromYmd(2024, 3, 31);
    prij.DatumPrijeti = TDate::FromYmd(2024, 4, 2);
    prij.DatumSplatnosti = TDate::FromYmd(2024, 5, 2);
    prij.Castka = 1234.5;
    prij.CisloUctu = "123456789";
    prij.KodBanky = "0100";
    prij.VarSymbol = "123";
    prij.Popis = "Péče za březen 2024";
    // A note pasted with a line break and a quote: the quote stays, the line break must not start a line.
    prij.Poznamka = "Řekl \"ano\"\r\nDruhý řádek";
    prij.Generovat = true;
    prij.OdbICO = "12345679";
    prij.OdbNazev = "Lemo, zdravotní pojišťovna";
    prij.OdbUlice = "Hlavní 1";
    prij.OdbPsc = "11000";
    prij.OdbObec = "Praha 1";
    prij.DodNazev = "Ordinace MUDr. Nováka";
    prij.DodUlice = "Zahradní 5";
    prij.DodPsc = "60200";
    prij.DodObec = "Brno";
    prij.Soubory.push_back(File("KDAVKA.111", 45678, TDateTime::FromParts(2024, 4, 1, 8, 5, 59)));
    AddBatch(*prij.Soubory.back(), 17, "2024", "03", 125, 1520.0);
    AddBatch(*prij.Soubory.back(), 18, "2024 ", "03", 0, 0.0);
    prij.Soubory.push_back(File("opravy.txt", 0, TDateTime::FromParts(2024, 2, 29, 23, 59, 0)));
    AddBatch(*prij.Soubory.back(), 9, "2024", "02", 1, -15.0);
    for (int n = 3; n <= 12; ++n) {
        const std::string name = "davka" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".csv";
        prij.Soubory.push_back(File(name.c_str(), n * 100, TDateTime::FromParts(2024, 4, 1, 10, n, 0)));
    }

    std::vector<std::string> lines{"left over from an earlier package"};
    WriteInvoiceDescription(prij, lines, "novák", "LM01");
    EXPECT_EQ(Saved(lines), Fixture("invoice.fak"));
}

TEST_F(TransferDescription, ReportsVariantByteForByte) {
    TLemoPrij prij;
    prij.ICZ = "12345678";
    prij.ICO = "87654321";
    prij.Poznamka = "Zprávy k \"kontrole\"\tza březen";
    prij.IdPrenosu = "20240402140733123042";
    prij.Soubory.push_back(File("propouštěcí zpráva.pdf", 204800, TDateTime::FromParts(2024, 3, 28, 16, 45, 0)));
    prij.Soubory.push_back(File("nález.docx", 10240, TDateTime::FromParts(2024, 3, 29, 9, 0, 0)));
    prij.Soubory.push_back(File("README", 12, TDateTime::FromParts(2024, 3, 30, 0, 0, 0)));

    std::vector<std::string> lines;
    WriteReportsDescription(prij, lines, "novák", "LM01");
    EXPECT_EQ(Saved(lines), Fixture("reports.txt"));
}

TEST_F(TransferDescription, AmountsAlwaysWithAPointAndDatesWithTheSystemSeparators) {
    TFormatSettings settings;
    settings.DecimalSeparator = ",";
    settings.DateSeparator = "/";
    settings.TimeSeparator = ".";
    TFormatSettings::Set(settings);
    const struct {
        double Castka;
        const char* Line;
    } rows[] = {
        {1234.5, "Castka=1234.50"}, {0.0, "Castka=0.00"},          {-15.0, "Castka=-15.00"},
        {-0.0, "Castka=0.00"},      {1e9, "Castka=1000000000.00"}, {0.07, "Castka=0.07"},
    };
    for (const auto& row : rows) {
        TLemoPrij prij;
        prij.Castka = row.Castka;
        prij.DatumVystaveni = TDate::FromYmd(2024, 3, 5);
        std::vector<std::string> lines;
        WriteInvoiceDescription(prij, lines, "u", "LM01");
        EXPECT_NE(std::find(lines.begin(), lines.end(), row.Line), lines.end()) << row.Line;
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Datum_vystaveni=\"05/03/2024\""), lines.end());
        EXPECT_EQ(lines.back(), "Datum=\"02/04/2024 14.07\"");
    }
}

TEST_F(TransferDescription, AFileThatCannotBeWrittenIsReported) {
    const std::filesystem::path file = m_Dir.Path() / "missing-dir" / "N.fak";
    try {
        SaveDescriptionFile(file, {"[General]"});
        ADD_FAILURE() << "no error";
    } catch (const ESubroutineError& e) {
        EXPECT_EQ(std::string(e.what()), "Soubor \"" + file.string() + "\" nelze vytvořit: No such file or directory");
    }
}
