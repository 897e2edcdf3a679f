#include "transfer/TransferSettings.h"

#include "TestTempDir.h"
#include "transfer/TransferTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
std::vector<std::string> Requests(TRequestList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.GetInt(i, 0), 256) << i;
        texts.push_back(list.GetText(i, 1));
    }
    return texts;
}

std::string Refused(const std::string& value, const std::string& caption) {
    return "Nepřípustná hodnota \"" + value + "\" pro \"" + caption + "\"";
}
} // namespace

TEST(TransferSettingsFiles, MissingFilesReadAsEmptyAndProxyKeepsItsValues) {
    TTestTempDir dir;
    TransferSettings s;
    s.Host = "stale";
    s.HttpAdresa = "stale";
    s.ProxyUse = true;
    s.ProxyHost = "proxy:8080";
    LoadPrenosIni(dir.Path(), s);
    LoadHttpIni(dir.Path(), s);
    LoadProxyIni(dir.Path(), s);
    EXPECT_EQ(s.Host, "");
    EXPECT_EQ(s.HttpAdresa, "");
    // Without NdLemoProxy.ini nothing is read: the earlier values stay.
    EXPECT_TRUE(s.ProxyUse);
    EXPECT_EQ(s.ProxyHost, "proxy:8080");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "NdLemoPrenos.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "NdLemoProxy.ini"));
}

TEST(TransferSettingsFiles, SaveTrimsAndLoadReadsBackBothSectionsOfOneFile) {
    TTestTempDir dir;
    SavePrenosIni(dir.Path(), WithScpValues({"  scp.lemo.cz ", "0022", " /data/in/ ", " user ", " key.ppk", "/test ",
                                             " test.txt "}));
    SaveHttpIni(dir.Path(), WithHttpValues(" http://info.lemo.cz/ ", " info.ini "));

    const TransferSettings s = LoadedFromPrenosIni(dir.Path());
    EXPECT_EQ(s.Host, "scp.lemo.cz");
    EXPECT_EQ(s.Port, "0022");
    EXPECT_EQ(s.OutDir, "/data/in/");
    EXPECT_EQ(s.User, "user");
    EXPECT_EQ(s.Pkf, "key.ppk");
    EXPECT_EQ(s.TestSpojDir, "/test");
    EXPECT_EQ(s.TestSpojFileName, "test.txt");
    EXPECT_EQ(s.HttpAdresa, "http://info.lemo.cz/");
    EXPECT_EQ(s.HttpInfoFileName, "info.ini");

    EXPECT_EQ(dir.ReadFile("NdLemoPrenos.ini"), "[Prenos]\r\n"
                                                "Host=scp.lemo.cz\r\n"
                                                "Port=0022\r\n"
                                                "OutDir=/data/in/\r\n"
                                                "User=user\r\n"
                                                "Pkf=key.ppk\r\n"
                                                "TestSpojDir=/test\r\n"
                                                "TestSpojFileName=test.txt\r\n"
                                                "\r\n"
                                                "[Http]\r\n"
                                                "Adresa=http://info.lemo.cz/\r\n"
                                                "InfoFileName=info.ini\r\n");
}

TEST(TransferSettingsFiles, SavingOneSectionKeepsTheOther) {
    TTestTempDir dir;
    SaveHttpIni(dir.Path(), WithHttpValues("http://a/", "a.ini"));
    SavePrenosIni(dir.Path(), WithScpValues({"h", "22", "/o", "u", "k", "/t", "f"}));
    SaveHttpIni(dir.Path(), WithHttpValues("http://b/", "b.ini"));
    const TransferSettings s = LoadedFromPrenosIni(dir.Path());
    EXPECT_EQ(s.Host, "h");
    EXPECT_EQ(s.TestSpojFileName, "f");
    EXPECT_EQ(s.HttpAdresa, "http://b/");
    EXPECT_EQ(s.HttpInfoFileName, "b.ini");
}

TEST(TransferSettingsFiles, ReadsAHandWrittenFileLikeTheProfileFunctions) {
    TTestTempDir dir;
    dir.WriteFile("NdLemoPrenos.ini", "; settings\r\n"
                                      "[prenos]\r\n"
                                      "HOST =  scp.lemo.cz  \r\n"
                                      "port=\"22\"\r\n"
                                      "[HTTP]\r\n"
                                      "adresa= http://x/\r\n"
                                      "[Other]\r\n"
                                      "User=not mine\r\n");
    const TransferSettings s = LoadedFromPrenosIni(dir.Path());
    EXPECT_EQ(s.Host, "scp.lemo.cz");
    EXPECT_EQ(s.Port, "22");
    EXPECT_EQ(s.User, "");
    EXPECT_EQ(s.HttpAdresa, "http://x/");
    EXPECT_EQ(s.HttpInfoFileName, "");
}

TEST(TransferSettingsProxy, UseIsOnOnlyForTheValueOne) {
    const struct {
        const char* Use;
        bool On;
    } rows[] = {
        {"1", true},   {" 1 ", true}, {"01", true},   {"0", false},    {"2", false},
        {"-1", false}, {"", false},   {"yes", false}, {"true", false}, {"1.0", false},
    };
    for (const auto& row : rows) {
        TTestTempDir dir;
        dir.WriteFile("NdLemoProxy.ini", std::string("[General]\r\nUse=") + row.Use + "\r\nHost= proxy:3128 \r\n");
        TransferSettings s;
        s.ProxyUse = !row.On;
        LoadProxyIni(dir.Path(), s);
        EXPECT_EQ(s.ProxyUse, row.On) << '"' << row.Use << '"';
        EXPECT_EQ(s.ProxyHost, "proxy:3128");
    }
}

TEST(TransferSettingsProxy, AFileWithoutTheKeysTurnsTheProxyOff) {
    TTestTempDir dir;
    dir.WriteFile("NdLemoProxy.ini", "");
    TransferSettings s;
    s.ProxyUse = true;
    s.ProxyHost = "old";
    LoadProxyIni(dir.Path(), s);
    EXPECT_FALSE(s.ProxyUse);
    EXPECT_EQ(s.ProxyHost, "");
}

TEST(TransferSettingsProxy, SaveWritesFlagAndHostButNeverTheCredentials) {
    TTestTempDir dir;
    TransferSettings s;
    s.ProxyUser = "jan.novak";
    s.ProxyPassword = "tajne-heslo";
    SaveProxyIni(dir.Path(), WithProxyValues(true, "  proxy.local:8080 "));
    LoadProxyIni(dir.Path(), s);
    EXPECT_TRUE(s.ProxyUse);
    EXPECT_EQ(s.ProxyHost, "proxy.local:8080");
    EXPECT_EQ(s.ProxyUser, "jan.novak");
    EXPECT_EQ(s.ProxyPassword, "tajne-heslo");
    EXPECT_EQ(dir.ReadFile("NdLemoProxy.ini"), "[General]\r\nUse=1\r\nHost=proxy.local:8080\r\n");

    SaveProxyIni(dir.Path(), WithProxyValues(false, ""));
    LoadProxyIni(dir.Path(), s);
    EXPECT_FALSE(s.ProxyUse);
    EXPECT_EQ(s.ProxyHost, "");
    EXPECT_EQ(dir.ReadFile("NdLemoProxy.ini"), "[General]\r\nUse=0\r\nHost=\r\n");
}

TEST(TransferSettingsFiles, CzechTextIsStoredAsWindows1250) {
    TTestTempDir dir;
    SavePrenosIni(dir.Path(), WithScpValues({"h", "22", "/adresář", "u", "k", "/t", "f"}));
    EXPECT_NE(dir.ReadFile("NdLemoPrenos.ini").find("OutDir=/adres\xE1\xF8\r\n"), std::string::npos);
    const TransferSettings s = LoadedFromPrenosIni(dir.Path());
    EXPECT_EQ(s.OutDir, "/adresář");
}

TEST(ContainsSpace, BlanksInsideCountEdgesDoNot) {
    const struct {
        const char* Text;
        bool Contains;
    } rows[] = {
        {"", false},     {"   ", false}, {"host", false},     {"  host  ", false},    {"a b", true},
        {" a b ", true}, {"a\tb", true}, {"\thost\t", false}, {"scp.lemo.cz", false}, {"/data/my dir", true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ContainsSpace(row.Text), row.Contains) << '"' << row.Text << '"';
}

TEST(ValidatePrenosSettings, GoodValuesGiveNoRequest) {
    TRequestList list;
    ValidatePrenosSettings(WithScpValues({" scp.lemo.cz ", "0022", "/data/in", "user", "key.ppk", "/test", "test.txt"}),
                           list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ValidatePrenosSettings, EachValueIsRefusedWithItsCaptionAndUntrimmedValue) {
    const char* captions[] = {"Host",
                              "Port",
                              "Vzdálený adresář",
                              "Uživatel",
                              "Jméno souboru priv. klíče",
                              "Adresář testu spojení",
                              "Jméno souboru testu spoj."};
    const char* badValues[] = {"", "   ", "a b", " a b ", "a\tb"};
    for (int field = 0; field < 7; ++field) {
        for (const char* bad : badValues) {
            std::array<std::string, 7> v = {"h", "22", "/o", "u", "k", "/t", "f"};
            v[field] = bad;
            TRequestList list;
            ValidatePrenosSettings(WithScpValues(v), list);
            EXPECT_EQ(Requests(list), std::vector<std::string>{Refused(bad, captions[field])})
                << "field " << field << " value \"" << bad << '"';
        }
    }
}

TEST(ValidatePrenosSettings, AllRefusedValuesComeInFieldOrderAndAreAppended) {
    TRequestList list;
    list.AddRequest(256, "earlier request", true);
    TransferSettings s; // everything empty
    s.Port = "2 2";
    ValidatePrenosSettings(s, list);
    EXPECT_EQ(Requests(list), (std::vector<std::string>{
                                  "earlier request",
                                  Refused("", "Host"),
                                  Refused("2 2", "Port"),
                                  Refused("", "Vzdálený adresář"),
                                  Refused("", "Uživatel"),
                                  Refused("", "Jméno souboru priv. klíče"),
                                  Refused("", "Adresář testu spojení"),
                                  Refused("", "Jméno souboru testu spoj."),
                              }));
}

TEST(ValidatePrenosSettings, TheDirectoriesFormIsCheckedWhereTheyAreUsed) {
    // A port of other characters than digits is refused here (see PrenosValueRulesTest); the form of the
    // directories only when a command line is built.
    TRequestList list;
    ValidatePrenosSettings(WithScpValues({"h", "22", "relative/dir", "u", "k", "x", "f"}), list);
    EXPECT_EQ(list.Count(), 0);
}
