#include "app/AppSettings.h"

#include "support/ESubroutineError.h"
#include "support/Utilities.h"

#include "TestChildProcess.h"
#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class SettingsFixture : public ::testing::Test {
protected:
    void Write(const std::string& bytes) { m_Temp.WriteFile(m_Ini, bytes); }
    std::string Read() { return m_Temp.ReadFile(m_Ini); }
    test::TTestTempDir m_Temp{"app"};
    const fs::path m_Dir = m_Temp.Path();
    const fs::path m_Ini = AppIniPath(m_Dir, "NdLemo.exe");
};

struct TTextKey {
    const char* Section;
    const char* Key;
    const char* Default;
    std::function<std::string(const AppSettings&)> Field;
};

const std::vector<TTextKey>& TextKeys() {
    static const std::vector<TTextKey> keys = {
        {"General", "Pracoviste", "", [](const AppSettings& s) { return s.Pracoviste; }},
        {"General", "DirDavky", "", [](const AppSettings& s) { return s.DirDavky; }},
        {"General", "DirOdeslane", "", [](const AppSettings& s) { return s.DirOdeslane; }},
        {"General", "DefaultICZ", "", [](const AppSettings& s) { return s.DefaultICZ; }},
        {"General", "DefaultICO", "", [](const AppSettings& s) { return s.DefaultICO; }},
        {"General", "DefaultCisloUctu", "", [](const AppSettings& s) { return s.DefaultCisloUctu; }},
        {"General", "DefaultKodBanky", "", [](const AppSettings& s) { return s.DefaultKodBanky; }},
        {"General", "TypPrenosu", "SCP", [](const AppSettings& s) { return s.TypPrenosu.Text(); }},
        {"UploadLemo", "Adresa", "", [](const AppSettings& s) { return s.UploadAdresa; }},
        {"UploadLemo", "OutDir", "", [](const AppSettings& s) { return s.UploadOutDir; }},
        {"FakturaInfo", "DefaultOdbICO", "", [](const AppSettings& s) { return s.DefaultOdbICO; }},
        {"FakturaInfo", "DefaultOdbNazev", "", [](const AppSettings& s) { return s.DefaultOdbNazev; }},
        {"FakturaInfo", "DefaultOdbUlice", "", [](const AppSettings& s) { return s.DefaultOdbUlice; }},
        {"FakturaInfo", "DefaultOdbPsc", "", [](const AppSettings& s) { return s.DefaultOdbPsc; }},
        {"FakturaInfo", "DefaultOdbObec", "", [](const AppSettings& s) { return s.DefaultOdbObec; }},
        {"FakturaInfo", "DefaultDodNazev", "", [](const AppSettings& s) { return s.DefaultDodNazev; }},
        {"FakturaInfo", "DefaultDodUlice", "", [](const AppSettings& s) { return s.DefaultDodUlice; }},
        {"FakturaInfo", "DefaultDodPsc", "", [](const AppSettings& s) { return s.DefaultDodPsc; }},
        {"FakturaInfo", "DefaultDodObec", "", [](const AppSettings& s) { return s.DefaultDodObec; }},
    };
    return keys;
}
} // namespace

TEST_F(SettingsFixture, TheFileIsNamedAfterTheProgram) {
    EXPECT_EQ(AppIniPath("/opt/x", "NdLemo.exe"), fs::path("/opt/x/NdLemo.ini"));
    EXPECT_EQ(AppIniPath("/opt/x", "/usr/bin/NdLemo"), fs::path("/opt/x/NdLemo.ini"));
}

TEST_F(SettingsFixture, AMissingFileGivesEveryDefault) {
    const AppSettings s = LoadAppIni(m_Dir / "none.ini");
    for (const auto& key : TextKeys())
        EXPECT_EQ(key.Field(s), key.Default) << key.Key;
    EXPECT_EQ(s.IntSplatnosti, 0);
    EXPECT_FALSE(s.DefaultGenerovat);
    EXPECT_EQ(s, AppSettings());
}

TEST_F(SettingsFixture, EveryTextKeyIsReadTrimmedAndAPresentEmptyKeyIsEmpty) {
    for (const auto& key : TextKeys()) {
        SCOPED_TRACE(key.Key);
        // The key alone in its section, names in another letter case, blanks around the value, text in cp1250.
        Write("[" + UpperCase(key.Section) + "]\r\n  " + UpperCase(key.Key) + " =  Hodnota \xE8.1  \r\n");
        EXPECT_EQ(key.Field(LoadAppIni(m_Ini)), "Hodnota č.1");

        Write(std::string("[") + key.Section + "]\r\n" + key.Key + "=\r\n");
        EXPECT_EQ(key.Field(LoadAppIni(m_Ini)), "");
        Write(std::string("[") + key.Section + "]\r\n" + key.Key + "=   \r\n");
        EXPECT_EQ(key.Field(LoadAppIni(m_Ini)), "");

        // The same key in another section does not count.
        Write(std::string("[Jine]\r\n") + key.Key + "=x\r\n");
        EXPECT_EQ(key.Field(LoadAppIni(m_Ini)), key.Default);
    }
}

TEST_F(SettingsFixture, IntervalReadsAsZeroWhenItIsNoInteger) {
    const std::pair<const char*, int> rows[] = {
        {"14", 14}, {"  30 ", 30}, {"0", 0},           {"-5", -5},          {"", 0}, {"abc", 0}, {"12x", 0}, {"1.5", 0},
        {"1 2", 0}, {"+", 0},      {"99999999999", 0}, {"-99999999999", 0},
    };
    for (const auto& [text, value] : rows) {
        Write(std::string("[General]\r\nIntSplatnosti=") + text + "\r\n");
        EXPECT_EQ(LoadAppIni(m_Ini).IntSplatnosti, value) << '"' << text << '"';
    }
}

TEST_F(SettingsFixture, OnlyTheExactAMeansGenerate) {
    const std::pair<const char*, bool> rows[] = {
        {"A", true}, {"  A ", true}, {"a", false}, {"N", false}, {"Ano", false}, {"", false}, {"1", false},
    };
    for (const auto& [text, value] : rows) {
        Write(std::string("[FakturaInfo]\r\nDefaultGenerovat=") + text + "\r\n");
        EXPECT_EQ(LoadAppIni(m_Ini).DefaultGenerovat, value) << '"' << text << '"';
    }
}

namespace {
AppSettings Filled() {
    AppSettings s;
    s.Pracoviste = " AB12 ";
    s.DirDavky = "/data/dávky";
    s.DirOdeslane = "/data/odeslané";
    s.IntSplatnosti = 14;
    s.DefaultICZ = "12345678";
    s.DefaultICO = "87654321";
    s.DefaultCisloUctu = "123-4567890";
    s.DefaultKodBanky = "0100";
    s.TypPrenosu = TTransferType("UPLOAD");
    s.UploadAdresa = "https://lemo.example/upload";
    s.UploadOutDir = "/data/upload";
    s.DefaultGenerovat = true;
    s.DefaultOdbICO = "11111111";
    s.DefaultOdbNazev = "Lemo pojišťovna";
    s.DefaultOdbUlice = "Hlavní 1";
    s.DefaultOdbPsc = "11000";
    s.DefaultOdbObec = "Praha";
    s.DefaultDodNazev = "Ordinace";
    s.DefaultDodUlice = "Dlouhá 2";
    s.DefaultDodPsc = "60200";
    s.DefaultDodObec = "Brno";
    return s;
}

std::vector<std::string> KeyLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
} // namespace

TEST_F(SettingsFixture, SaveWritesEveryKeyInOrderTrimmedAndReadsBackTheSame) {
    SaveAppIni(m_Ini, Filled());
    const std::vector<std::string> expected = {
        "[General]",
        "Pracoviste=AB12",
        "DirDavky=/data/d\xE1vky",
        "DirOdeslane=/data/odeslan\xE9",
        "IntSplatnosti=14",
        "DefaultICZ=12345678",
        "DefaultICO=87654321",
        "DefaultCisloUctu=123-4567890",
        "DefaultKodBanky=0100",
        "TypPrenosu=UPLOAD",
        "",
        "[UploadLemo]",
        "Adresa=https://lemo.example/upload",
        "OutDir=/data/upload",
        "",
        "[FakturaInfo]",
        "DefaultGenerovat=A",
        "DefaultOdbICO=11111111",
        "DefaultOdbNazev=Lemo poji\x9A\x9Dovna",
        "DefaultOdbUlice=Hlavn\xED 1",
        "DefaultOdbPsc=11000",
        "DefaultOdbObec=Praha",
        "DefaultDodNazev=Ordinace",
        "DefaultDodUlice=Dlouh\xE1 2",
        "DefaultDodPsc=60200",
        "DefaultDodObec=Brno",
    };
    EXPECT_EQ(KeyLines(Read()), expected);

    AppSettings back = Filled();
    back.Pracoviste = "AB12";
    EXPECT_EQ(LoadAppIni(m_Ini), back);

    AppSettings no = back;
    no.DefaultGenerovat = false;
    no.IntSplatnosti = -3;
    SaveAppIni(m_Ini, no);
    EXPECT_NE(Read().find("\r\nDefaultGenerovat=N\r\n"), std::string::npos);
    EXPECT_NE(Read().find("\r\nIntSplatnosti=-3\r\n"), std::string::npos);
    EXPECT_EQ(LoadAppIni(m_Ini), no);
}

TEST_F(SettingsFixture, SaveKeepsOtherSectionsKeysAndComments) {
    Write("; nastaveni\r\n[general]\r\nnavic=5\r\npracoviste=XX99\r\n\r\n[Jine]\r\nPracoviste=zz\r\n");
    SaveAppIni(m_Ini, Filled());
    const std::string text = Read();
    EXPECT_EQ(text.rfind("; nastaveni\r\n[general]\r\nnavic=5\r\nPracoviste=AB12\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Jine]\r\nPracoviste=zz\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("XX99"), std::string::npos);
    EXPECT_EQ(LoadAppIni(m_Ini).Pracoviste, "AB12");
}

TEST_F(SettingsFixture, SaveFailsLoudlyWhenTheFileCannotBeWritten) {
    EXPECT_THROW(SaveAppIni(m_Dir / "missing" / "NdLemo.ini", Filled()), ESubroutineError);
}

TEST_F(SettingsFixture, AFaultInTheMiddleOfASaveLeavesTheFileByteIdentical) {
    const std::string before = "; moje\r\n[General]\r\nPracoviste=XY99\r\n\r\n[Jine]\r\nklic=hodnota\r\n";
    Write(before);
    // The whole text is some 600 bytes: the write stops after 200.
    const int code = test::RunInChild({.MaxFileSize = 200}, [this] {
        try {
            SaveAppIni(m_Ini, Filled());
        } catch (const ESubroutineError& e) {
            const std::string expected = "Do souboru \"" + m_Ini.string() + "\" nelze zapisovat: File too large";
            return e.what() == expected ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(LoadAppIni(m_Ini).Pracoviste, "XY99");
}

TEST_F(SettingsFixture, AFileThatCannotBeReadIsNeitherEmptyNorReplaced) {
    const std::string before = "[General]\r\nPracoviste=XY99\r\n";
    Write(before);
    fs::permissions(m_Ini, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(m_Dir, fs::perms::all);
    const int code = test::RunInChild({.Unprivileged = true}, [this] {
        int failures = 0;
        for (const std::function<void()>& step : std::initializer_list<std::function<void()>>{
                 [this] { (void)LoadAppIni(m_Ini); }, [this] { SaveAppIni(m_Ini, Filled()); }}) {
            try {
                step();
            } catch (const ESubroutineError& e) {
                const std::string expected = "Soubor \"" + m_Ini.string() + "\" nelze přečíst: Permission denied";
                failures += e.what() == expected ? 1 : 0;
            }
        }
        return failures == 2 ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Read(), before);
}

namespace {
struct TValidationCase {
    const char* Name;
    std::function<void(AppSettings&)> Change;
    std::vector<std::string> Messages; // "{d}" stands for the test directory
};

class Validation : public ::testing::TestWithParam<TValidationCase> {
protected:
    void SetUp() override {
        for (const char* sub : {"davky", "odeslane", "upload"})
            fs::create_directory(m_Dir / sub);
        m_Temp.WriteFile("soubor", "x");
    }
    std::string Subst(std::string text) const {
        for (size_t p; (p = text.find("{d}")) != std::string::npos;)
            text.replace(p, 3, m_Dir.string());
        return text;
    }
    test::TTestTempDir m_Temp{"val"};
    const fs::path m_Dir = m_Temp.Path();
};

const std::string BadWorkplaceChars = "Hodnota \"Pracoviště\" smí obsahovat pouze znaky \"A..Z, 0..9\"";
} // namespace

TEST_P(Validation, ReportsEveryProblemInOrder) {
    const auto& c = GetParam();
    AppSettings s;
    s.Pracoviste = "AB12";
    s.DirDavky = "{d}/davky";
    s.DirOdeslane = "{d}/odeslane";
    s.TypPrenosu = TTransferType("SCP");
    c.Change(s);
    for (std::string* text : {&s.Pracoviste, &s.DirDavky, &s.DirOdeslane, &s.UploadAdresa, &s.UploadOutDir})
        *text = Subst(*text);

    TRequestList requests;
    ValidateAppSettings(s, requests);
    std::vector<std::string> got;
    for (int i = 0; i < requests.Count(); ++i) {
        EXPECT_EQ(requests.GetInt(i, 0), 256);
        got.push_back(requests.GetText(i, 1));
    }
    std::vector<std::string> expected;
    for (const auto& m : c.Messages)
        expected.push_back(Subst(m));
    EXPECT_EQ(got, expected);
    // Validation looks, it never creates.
    EXPECT_FALSE(fs::exists(m_Dir / "nic"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Validation,
    ::testing::Values(
        TValidationCase{"ValidScp", [](AppSettings&) {}, {}},
        TValidationCase{"ScpIgnoresTheUploadFields",
                        [](AppSettings& s) {
                            s.UploadAdresa = "";
                            s.UploadOutDir = "{d}/nic";
                        },
                        {}},
        TValidationCase{"ValidUpload",
                        [](AppSettings& s) {
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadAdresa = "https://lemo.example/upload.html";
                            s.UploadOutDir = "{d}/upload";
                        },
                        {}},
        TValidationCase{"WorkplaceDigitsOnly", [](AppSettings& s) { s.Pracoviste = "1234"; }, {}},
        TValidationCase{"WorkplaceEmpty",
                        [](AppSettings& s) { s.Pracoviste = ""; },
                        {"Délka hodnoty \"Pracoviště\" musí být 4 a ne 0"}},
        TValidationCase{"WorkplaceTooLong",
                        [](AppSettings& s) { s.Pracoviste = "AB123"; },
                        {"Délka hodnoty \"Pracoviště\" musí být 4 a ne 5"}},
        TValidationCase{"WorkplaceLowerCase", [](AppSettings& s) { s.Pracoviste = "ab12"; }, {BadWorkplaceChars}},
        TValidationCase{"WorkplaceBlank", [](AppSettings& s) { s.Pracoviste = "AB 1"; }, {BadWorkplaceChars}},
        // Four characters, five bytes: the length counts characters.
        TValidationCase{"WorkplaceCzechLetter", [](AppSettings& s) { s.Pracoviste = "ABČ1"; }, {BadWorkplaceChars}},
        TValidationCase{"WorkplaceWithoutDigit",
                        [](AppSettings& s) { s.Pracoviste = "ABCD"; },
                        {"Hodnota \"Pracoviště\" musí obsahovat alespoň jeden znak 0..9"}},
        TValidationCase{"BatchDirEmpty",
                        [](AppSettings& s) { s.DirDavky = ""; },
                        {"Nepřípustná hodnota \"\" pro \"Adresář dávek\""}},
        TValidationCase{"BatchDirBlank",
                        [](AppSettings& s) { s.DirDavky = "   "; },
                        {"Nepřípustná hodnota \"   \" pro \"Adresář dávek\""}},
        TValidationCase{
            "BatchDirMissing", [](AppSettings& s) { s.DirDavky = "{d}/nic"; }, {"Adresář \"{d}/nic\" neexistuje."}},
        TValidationCase{"BatchDirIsAFile",
                        [](AppSettings& s) { s.DirDavky = "{d}/soubor"; },
                        {"Adresář \"{d}/soubor\" neexistuje."}},
        TValidationCase{"ArchiveEmpty",
                        [](AppSettings& s) { s.DirOdeslane = ""; },
                        {"Nepřípustná hodnota \"\" pro \"Adresář odeslaných souborů\""}},
        TValidationCase{"ArchiveTrailingBackslash",
                        [](AppSettings& s) { s.DirOdeslane = "C:\\Lemo\\"; },
                        {"Nepřípustná hodnota \"C:\\Lemo\\\" pro \"Adresář odeslaných souborů\""}},
        TValidationCase{"ArchiveTrailingSlashOfAnExistingDir",
                        [](AppSettings& s) { s.DirOdeslane = "{d}/odeslane/"; },
                        {"Nepřípustná hodnota \"{d}/odeslane/\" pro \"Adresář odeslaných souborů\""}},
        TValidationCase{
            "ArchiveMissing", [](AppSettings& s) { s.DirOdeslane = "{d}/nic"; }, {"Adresář \"{d}/nic\" neexistuje."}},
        TValidationCase{"TransferTypeEmpty",
                        [](AppSettings& s) { s.TypPrenosu = TTransferType(""); },
                        {"Nepřípustná hodnota \"\" pro \"Typ přenosu\""}},
        TValidationCase{"TransferTypeLowerCase",
                        [](AppSettings& s) { s.TypPrenosu = TTransferType("upload"); },
                        {"Nepřípustná hodnota \"upload\" pro \"Typ přenosu\""}},
        TValidationCase{"UploadAddressAndDirEmpty",
                        [](AppSettings& s) {
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadAdresa = "  ";
                        },
                        {"Nepřípustná hodnota \"  \" pro \"Adresa stránky uploadu Lemo\"",
                         "Nepřípustná hodnota \"\" pro \"Adresář pro upload Lemo\""}},
        TValidationCase{"UploadDirMissing",
                        [](AppSettings& s) {
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadAdresa = "file:///srv/lemo/upload.htm";
                            s.UploadOutDir = "{d}/nic";
                        },
                        {"Adresář \"{d}/nic\" neexistuje."}},
        // The address is handed to the desktop: only a web page may get there.
        TValidationCase{"UploadAddressOfNoPage",
                        [](AppSettings& s) {
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadAdresa = "https://lemo.example/upload";
                            s.UploadOutDir = "{d}/upload";
                        },
                        {"Nepřípustná hodnota \"https://lemo.example/upload\" pro \"Adresa stránky uploadu Lemo\""}},
        TValidationCase{"UploadAddressAPlainPath",
                        [](AppSettings& s) {
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadAdresa = "{d}/soubor";
                            s.UploadOutDir = "{d}/upload";
                        },
                        {"Nepřípustná hodnota \"{d}/soubor\" pro \"Adresa stránky uploadu Lemo\""}},
        TValidationCase{"ScpIgnoresARefusedAddress", [](AppSettings& s) { s.UploadAdresa = "{d}/soubor"; }, {}},
        TValidationCase{"EverythingWrongInUploadMode",
                        [](AppSettings& s) {
                            s.Pracoviste = "AB";
                            s.DirDavky = "{d}/nic1";
                            s.DirOdeslane = "";
                            s.TypPrenosu = TTransferType("UPLOAD");
                            s.UploadOutDir = "{d}/nic2";
                        },
                        {"Délka hodnoty \"Pracoviště\" musí být 4 a ne 2", "Adresář \"{d}/nic1\" neexistuje.",
                         "Nepřípustná hodnota \"\" pro \"Adresář odeslaných souborů\"",
                         "Nepřípustná hodnota \"\" pro \"Adresa stránky uploadu Lemo\"",
                         "Adresář \"{d}/nic2\" neexistuje."}},
        TValidationCase{"EverythingWrongWithAnUnknownType",
                        [](AppSettings& s) {
                            s.Pracoviste = "abcd";
                            s.DirDavky = "";
                            s.DirOdeslane = "{d}/nic";
                            s.TypPrenosu = TTransferType("FTP");
                        },
                        {BadWorkplaceChars, "Nepřípustná hodnota \"\" pro \"Adresář dávek\"",
                         "Adresář \"{d}/nic\" neexistuje.", "Nepřípustná hodnota \"FTP\" pro \"Typ přenosu\""}}),
    [](const ::testing::TestParamInfo<TValidationCase>& info) { return info.param.Name; });

TEST(TransferTypeCodes, IndexOfTheTwoCodes) {
    EXPECT_EQ(TTransferType("SCP").Index(), 0);
    EXPECT_EQ(TTransferType("UPLOAD").Index(), 1);
    EXPECT_EQ(TTransferType("scp").Index(), -1);
    EXPECT_EQ(TTransferType("").Index(), -1);
}
