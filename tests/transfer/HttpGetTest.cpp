#include "transfer/HttpGet.h"

#include "TestTempDir.h"
#include "transfer/HttpTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
const std::vector<TCursor> PushedAndPopped = {TCursor::HourGlass, TCursor::Arrow};

std::string Base64(std::string_view text) {
    static const char* const digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < text.size(); i += 3) {
        unsigned n = static_cast<unsigned char>(text[i]) << 16;
        if (i + 1 < text.size())
            n |= static_cast<unsigned char>(text[i + 1]) << 8;
        if (i + 2 < text.size())
            n |= static_cast<unsigned char>(text[i + 2]);
        out += digits[(n >> 18) & 63];
        out += digits[(n >> 12) & 63];
        out += i + 1 < text.size() ? digits[(n >> 6) & 63] : '=';
        out += i + 2 < text.size() ? digits[n & 63] : '=';
    }
    return out;
}

// A web server with the information file, every proxy variable of the environment pointing nowhere and no_proxy
// exempting every host, so that only the settings can choose the way; the proxy starts where a test needs it.
class HttpGetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_Environment.Set("no_proxy", "*");
        m_Environment.Set("NO_PROXY", "*");
        m_Server.WriteFile("info.ini", InfoFileBytes());
        m_Server.Start();
    }

    THttpGetResult ViaTinyproxy(const std::string& user, const std::string& password,
                                const std::string& object = "/info.ini") {
        return HttpGetViaProxy(m_Server.HostPort(), object, m_Proxy.HostPort(), user, password);
    }
    std::string ProxiedRequest(const std::string& object) const { return "GET " + m_Server.Url(object); }

    TTestTempDir m_Dir{"http"};
    TDeadProxyEnvironment m_Environment;
    THttpTestServer m_Server{m_Dir.Path() / "web"};
    TTinyproxy m_Proxy{m_Dir.Path() / "proxy"};
    TDeadPort m_Dead;
    TCursorRecorder m_Cursors;
};
} // namespace

TEST(SplitUrl, GivesTheHostWithItsPortAndThePathFromItsSlash) {
    struct TRow {
        const char* Address;
        const char* Server;
        const char* Object;
    };
    const TRow rows[] = {
        {"http://info.lemo.cz/ndlemo/info.ini", "info.lemo.cz", "/ndlemo/info.ini"},
        {" https://127.0.0.1:8080/a/b.ini ", "127.0.0.1:8080", "/a/b.ini"},
        {"info.lemo.cz/info.ini", "info.lemo.cz", "/info.ini"},
        {"http:// info.lemo.cz /info.ini ", "info.lemo.cz", "/info.ini"},
        {"http://a/b://c/d", "a", "/b://c/d"},
        {"info.lemo.cz/", "info.lemo.cz", "/"},
        // No "/" after the host: nothing to fetch.
        {"http://info.lemo.czinfo.ini", "", ""},
        {"http://127.0.0.1:8080", "", ""},
        {"", "", ""},
    };
    for (const TRow& row : rows) {
        const TUrlParts parts = SplitUrl(row.Address);
        EXPECT_EQ(parts.Server, row.Server) << row.Address;
        EXPECT_EQ(parts.Object, row.Object) << row.Address;
    }
}

TEST_F(HttpGetFixture, DirectFetchGivesTheBodyAsSentUnderTheBusyCursor) {
    const THttpGetResult result = HttpGetDirect(m_Server.Url("/info.ini"));
    EXPECT_TRUE(result.Succeeded) << result.Error;
    EXPECT_EQ(result.Body, InfoFileBytes());
    EXPECT_EQ(result.Error, "");
    const auto requests = m_Server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target, "/info.ini");
    // The agent is the executable's name without extension.
    EXPECT_EQ(requests[0].UserAgent, "test_transfer");
    EXPECT_EQ(m_Cursors.Shown, PushedAndPopped);
}

TEST_F(HttpGetFixture, DirectFailuresNameTheirStep) {
    struct TRow {
        const char* Case;
        std::string Address;
        const char* Error;
    };
    const TRow rows[] = {
        {"missing file", m_Server.Url("/missing.ini"), "HttpQueryInfo Status 404"},
        {"nothing listening", "http://" + m_Dead.HostPort() + "/info.ini", "InternetOpenURL"},
        {"endless redirects", m_Server.Url("/loop"), "InternetOpenURL"},
        {"port out of range", "http://127.0.0.1:99999/info.ini", "InternetOpenURL"},
        {"no scheme of the web", "file:///etc/passwd", "InternetOpenURL"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Case);
        m_Cursors.Shown.clear();
        const THttpGetResult result = HttpGetDirect(row.Address);
        EXPECT_FALSE(result.Succeeded);
        EXPECT_EQ(result.Error, row.Error);
        EXPECT_EQ(result.Body, "");
        EXPECT_EQ(m_Cursors.Shown, PushedAndPopped);
    }
}

TEST_F(HttpGetFixture, RedirectsAreFollowedOnBothWays) {
    // The server redirects a directory named without its final "/" to the one with it.
    std::filesystem::create_directories(m_Server.Root() / "lemo");
    m_Server.WriteFile("lemo/index.html", "[General]\r\nMinVerze=2.0.0.0\r\n");
    m_Proxy.Start();

    const THttpGetResult direct = HttpGetDirect(m_Server.Url("/lemo"));
    EXPECT_TRUE(direct.Succeeded) << direct.Error;
    EXPECT_EQ(direct.Body, "[General]\r\nMinVerze=2.0.0.0\r\n");

    const THttpGetResult proxied = ViaTinyproxy(TTinyproxy::User, TTinyproxy::Password, "/lemo");
    EXPECT_TRUE(proxied.Succeeded) << proxied.Error;
    EXPECT_EQ(proxied.Body, direct.Body);
    EXPECT_EQ(m_Proxy.Requests(),
              (std::vector<std::string>{ProxiedRequest("/lemo"), ProxiedRequest("/lemo"), ProxiedRequest("/lemo/")}));
}

TEST_F(HttpGetFixture, ABodyCutShortOrAboveTheLimitFailsTheRead) {
    THttpLimits limits;
    limits.MaxBodyBytes = 1000;
    m_Server.WriteFile("full.ini", std::string(1000, 'x'));
    m_Server.WriteFile("over.ini", std::string(1001, 'x'));

    const THttpGetResult full = HttpGetDirect(m_Server.Url("/full.ini"), limits);
    EXPECT_TRUE(full.Succeeded) << full.Error;
    EXPECT_EQ(full.Body.size(), 1000u);

    const THttpGetResult over = HttpGetDirect(m_Server.Url("/over.ini"), limits);
    EXPECT_FALSE(over.Succeeded);
    EXPECT_EQ(over.Error, "InternetReadFile");
    EXPECT_EQ(over.Body, "");

    m_Proxy.Start();
    for (const THttpGetResult& cut :
         {HttpGetDirect(m_Server.Url("/short")), ViaTinyproxy(TTinyproxy::User, TTinyproxy::Password, "/short")}) {
        EXPECT_FALSE(cut.Succeeded);
        EXPECT_EQ(cut.Error, "InternetReadFile");
        EXPECT_EQ(cut.Body, "");
    }
}

TEST_F(HttpGetFixture, AServerThatNeverAnswersEndsWithinTheLimit) {
    THttpLimits limits;
    limits.TransferTimeoutMs = 1000;
    TSilentServer silent;
    const auto start = std::chrono::steady_clock::now();

    const THttpGetResult direct = HttpGetDirect("http://" + silent.HostPort() + "/info.ini", limits);
    EXPECT_EQ(direct.Error, "InternetOpenURL");
    const THttpGetResult proxied = HttpGetViaProxy(m_Server.HostPort(), "/info.ini", silent.HostPort(), "", "", limits);
    EXPECT_EQ(proxied.Error, "HttpSendRequest GET");

    // Two requests of one second each; far more would mean the limit did not hold.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST_F(HttpGetFixture, ProxyWithTheRightCredentialsAnswers407ThenTheFile) {
    m_Proxy.Start();
    const THttpGetResult result = ViaTinyproxy(TTinyproxy::User, TTinyproxy::Password);
    EXPECT_TRUE(result.Succeeded) << result.Error;
    EXPECT_EQ(result.Body, InfoFileBytes());
    // The first request goes without credentials; only the second reaches the server.
    EXPECT_EQ(m_Proxy.Requests(), (std::vector<std::string>{ProxiedRequest("/info.ini"), ProxiedRequest("/info.ini")}));
    const auto requests = m_Server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target, "/info.ini");
    EXPECT_EQ(requests[0].UserAgent, "test_transfer");
    EXPECT_EQ(m_Cursors.Shown, PushedAndPopped);
}

TEST_F(HttpGetFixture, ProxyRefusingTheCredentialsEndsInItsStatus) {
    m_Proxy.Start();
    const THttpGetResult result = ViaTinyproxy(TTinyproxy::User, "wrong");
    EXPECT_FALSE(result.Succeeded);
    // tinyproxy refuses wrong credentials with 401.
    EXPECT_EQ(result.Error, "HttpQueryInfo Status 401");
    EXPECT_EQ(result.Body, "");
    EXPECT_EQ(m_Proxy.Requests().size(), 2u);
    EXPECT_EQ(m_Server.Requests().size(), 0u);
}

TEST_F(HttpGetFixture, ASecond407EndsTheFetch) {
    // The test server answers every request meant for a proxy with 407.
    const THttpGetResult result =
        HttpGetViaProxy("lemo.example:8080", "/info.ini", m_Server.HostPort(), "puser", "ppass");
    EXPECT_FALSE(result.Succeeded);
    EXPECT_EQ(result.Error, "HttpQueryInfo Status 407");
    const auto requests = m_Server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Target, "http://lemo.example:8080/info.ini");
    EXPECT_EQ(requests[0].ProxyAuthorization, "");
    EXPECT_EQ(requests[1].Target, "http://lemo.example:8080/info.ini");
    EXPECT_EQ(requests[1].ProxyAuthorization, "Basic " + Base64("puser:ppass"));
}

TEST_F(HttpGetFixture, AProxyThatDoesNotListenFailsTheSend) {
    const THttpGetResult result = HttpGetViaProxy(m_Server.HostPort(), "/info.ini", m_Dead.HostPort(), "", "");
    EXPECT_FALSE(result.Succeeded);
    EXPECT_EQ(result.Error, "HttpSendRequest GET");
    EXPECT_EQ(m_Server.Requests().size(), 0u);
    EXPECT_EQ(m_Cursors.Shown, PushedAndPopped);
}

TEST_F(HttpGetFixture, AnEmptyServerOrObjectPartFailsBeforeAnyConnection) {
    m_Proxy.Start();
    struct TRow {
        std::string Server;
        std::string Object;
        std::string Error;
    };
    const TRow rows[] = {
        {"", "", "Nepřípustná hodnota \"\" pro \"URL\""},
        {"", "/info.ini", "Nepřípustná hodnota \"/info.ini\" pro \"URL\""},
        {m_Server.HostPort(), " ", "Nepřípustná hodnota \"" + m_Server.HostPort() + " \" pro \"URL\""},
    };
    for (const TRow& row : rows) {
        const THttpGetResult result =
            HttpGetViaProxy(row.Server, row.Object, m_Proxy.HostPort(), TTinyproxy::User, TTinyproxy::Password);
        EXPECT_FALSE(result.Succeeded);
        EXPECT_EQ(result.Error, row.Error);
    }
    EXPECT_EQ(m_Proxy.Connections(), 0u);
    EXPECT_TRUE(m_Cursors.Shown.empty());
}

TEST_F(HttpGetFixture, PartsThatMakeNoRequestFailAtTheirStepWithoutAConnection) {
    m_Proxy.Start();
    struct TRow {
        std::string Server;
        std::string Object;
        const char* Error;
    };
    const TRow rows[] = {
        {"127.0.0.1:99999", "/info.ini", "InternetConnect"},
        {"puser:ppass@" + m_Server.HostPort(), "/info.ini", "InternetConnect"},
        {m_Server.HostPort() + "?x=", "/info.ini", "InternetConnect"},
        {m_Server.HostPort(), "/info lemo.ini", "HttpOpenRequest"},
    };
    for (const TRow& row : rows) {
        const THttpGetResult result =
            HttpGetViaProxy(row.Server, row.Object, m_Proxy.HostPort(), TTinyproxy::User, TTinyproxy::Password);
        EXPECT_EQ(result.Error, row.Error) << row.Server << row.Object;
    }
    EXPECT_EQ(m_Proxy.Connections(), 0u);
}

TEST_F(HttpGetFixture, WithoutAProxyTheRequestGoesStraightToTheServer) {
    const THttpGetResult result = HttpGetViaProxy(m_Server.HostPort(), "/info.ini", " ", "", "");
    EXPECT_TRUE(result.Succeeded) << result.Error;
    EXPECT_EQ(result.Body, InfoFileBytes());
    const auto requests = m_Server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target, "/info.ini");
}
