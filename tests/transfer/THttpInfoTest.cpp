#include "transfer/THttpInfo.h"

#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "transfer/HttpTestSupport.h"

#include <gtest/gtest.h>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
// The texts of the information file of the tests.
void ExpectTheTestFile(const THttpInfo& info) {
    EXPECT_EQ(info.MinVerze, "1.2.0.0");
    EXPECT_EQ(info.Verze, "1.4.2.17");
    EXPECT_EQ(info.InstalSoubor, "http://info.lemo.cz/ndlemo/NdLemoSetup_1_4_2.exe");
    EXPECT_EQ(info.InstalText,
              "Stáhněte instalační soubor a spusťte jej.\r\n\r\nNastavení a odeslané dávky zůstanou zachovány.");
    EXPECT_EQ(info.InfoText,
              "Od 1. ledna přijímáme dávky jen s novými číselníky.\r\nZměny najdete na webu pojišťovny.");
    EXPECT_EQ(info.KontaktyText, "Lemo, zdravotní pojišťovna\r\nTechnická podpora: podpora@lemo.cz\r\n\r\n"
                                 "Tel. 800 123 456 (Po–Pá 8–16 h)");
}

void ExpectEmpty(const THttpInfo& info) {
    for (const std::string* text :
         {&info.MinVerze, &info.Verze, &info.InstalSoubor, &info.InstalText, &info.InfoText, &info.KontaktyText})
        EXPECT_EQ(*text, "");
    EXPECT_EQ(info.ReadInfoLines("AktualniVerze"), "");
}

std::string RaisedBy(THttpInfo& info, const TransferSettings& settings) {
    try {
        info.LoadHttpInfo(settings);
    } catch (const ESubroutineError& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

// The web server with the information file as "lemo/info.ini", and every proxy variable pointing nowhere.
class LoadHttpInfoFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_Server.Root() / "lemo");
        m_Server.WriteFile("lemo/info.ini", InfoFileBytes());
        m_Server.Start();
        m_Settings.HttpAdresa = m_Server.Url("/lemo/");
        m_Settings.HttpInfoFileName = "info.ini";
    }

    TTestTempDir m_Dir{"httpinfo"};
    TDeadProxyEnvironment m_Environment;
    THttpTestServer m_Server{m_Dir.Path() / "web"};
    TTinyproxy m_Proxy{m_Dir.Path() / "proxy"};
    TransferSettings m_Settings;
    THttpInfo m_Info;
};
} // namespace

TEST(THttpInfo, TakesTheVersionsAndTextsOfAWindows1250File) {
    THttpInfo info;
    info.Parse(InfoFileBytes());
    ExpectTheTestFile(info);
}

TEST(THttpInfo, LinesEndAtCrLfCrOrLf) {
    const std::string text = InfoFileBytes();
    for (const char* ending : {"\r", "\n"}) {
        std::string converted;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                converted += ending;
                ++i;
            } else {
                converted += text[i];
            }
        }
        THttpInfo info;
        info.Parse(converted);
        SCOPED_TRACE(ending[0] == '\r' ? "CR" : "LF");
        ExpectTheTestFile(info);
    }
}

TEST(THttpInfo, TheLineCountReadsAtMost99Lines) {
    std::string lines;
    for (int i = 1; i <= 120; ++i)
        lines += "Radek" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=řádek " + std::to_string(i) + "\r\n";
    std::string first99;
    for (int i = 1; i <= 99; ++i)
        first99 += "řádek " + std::to_string(i) + (i < 99 ? "\r\n" : "");
    struct TRow {
        const char* Count;
        std::string Text;
    };
    const TRow rows[] = {
        {"PocetRadku=120", first99}, {"PocetRadku=99", first99}, {"PocetRadku=2", "řádek 1\r\nřádek 2"},
        {"PocetRadku=1", "řádek 1"}, {"PocetRadku=0", ""},       {"PocetRadku=-3", ""},
        {"PocetRadku=abc", ""},      {"PocetRadku=", ""},        {"", ""},
    };
    for (const TRow& row : rows) {
        THttpInfo info;
        info.Parse(Utf8ToCp1250("[Info]\r\n" + std::string(row.Count) + "\r\n" + lines));
        EXPECT_EQ(info.InfoText, row.Text) << row.Count;
    }
}

TEST(THttpInfo, AMissingSectionOrKeyReadsAsEmpty) {
    THttpInfo info;
    info.Parse("[General]\r\n[Kontakty]\r\nPocetRadku=1\r\n");
    ExpectEmpty(info);
    EXPECT_EQ(info.ReadInfoLines("Kontakty"), "");
    EXPECT_EQ(info.ReadInfoLines("Nic"), "");
}

TEST_F(LoadHttpInfoFixture, FetchesTheFileDirectly) {
    m_Info.LoadHttpInfo(m_Settings);
    ExpectTheTestFile(m_Info);
    ASSERT_EQ(m_Server.Requests().size(), 1u);
    EXPECT_EQ(m_Server.Requests()[0].Target, "/lemo/info.ini");
}

TEST_F(LoadHttpInfoFixture, ThroughTheProxyTheSecureSchemeBecomesAPlainRequest) {
    m_Proxy.Start();
    m_Settings.HttpAdresa = "https://" + m_Server.HostPort() + "/lemo/";
    m_Settings.ProxyUse = true;
    m_Settings.ProxyHost = m_Proxy.HostPort();
    m_Settings.ProxyUser = TTinyproxy::User;
    m_Settings.ProxyPassword = TTinyproxy::Password;
    m_Info.LoadHttpInfo(m_Settings);
    ExpectTheTestFile(m_Info);
    ASSERT_EQ(m_Proxy.Requests().size(), 2u);
    EXPECT_EQ(m_Proxy.Requests()[1], "GET " + m_Server.Url("/lemo/info.ini"));
}

TEST_F(LoadHttpInfoFixture, AnEmptyAddressOrFileNameIsRefusedAndLeavesNothing) {
    struct TRow {
        const char* Adresa;
        const char* FileName;
        const char* Joined;
    };
    const TRow rows[] = {
        {"", "info.ini", "info.ini"},
        {"http://info.lemo.cz/", "", "http://info.lemo.cz/"},
        {"", "", ""},
    };
    for (const TRow& row : rows) {
        m_Info.Parse(InfoFileBytes());
        m_Settings.HttpAdresa = row.Adresa;
        m_Settings.HttpInfoFileName = row.FileName;
        EXPECT_EQ(RaisedBy(m_Info, m_Settings),
                  "Nepřípustná hodnota \"" + std::string(row.Joined) + "\" pro \"Http adresa/Http jméno souboru\"");
        ExpectEmpty(m_Info);
    }
    EXPECT_EQ(m_Server.Requests().size(), 0u);
}

TEST_F(LoadHttpInfoFixture, AFailedFetchNamesTheAddressAndTheStepAndLeavesNothing) {
    m_Info.LoadHttpInfo(m_Settings);
    m_Settings.HttpInfoFileName = "missing.ini";
    EXPECT_EQ(RaisedBy(m_Info, m_Settings),
              "Nelze otevřít URL: \"" + m_Server.Url("/lemo/missing.ini") + "\", chyba: \"HttpQueryInfo Status 404\"");
    ExpectEmpty(m_Info);
}

TEST_F(LoadHttpInfoFixture, AnAddressWithoutSlashAfterTheHostIsRefusedOnTheProxyPathWithoutAConnection) {
    m_Proxy.Start();
    // The address setting lacks its final "/": the file name runs into the port.
    m_Settings.HttpAdresa = m_Server.Url("");
    m_Settings.ProxyUse = true;
    m_Settings.ProxyHost = m_Proxy.HostPort();
    EXPECT_EQ(RaisedBy(m_Info, m_Settings), "Nelze otevřít URL: \"" + m_Server.Url("") +
                                                "info.ini\", chyba: \"Nepřípustná hodnota \"\" pro \"URL\"\"");
    EXPECT_EQ(m_Proxy.Connections(), 0u);
    EXPECT_EQ(m_Server.Requests().size(), 0u);
}
