#include "transfer/UploadPage.h"

#include "TestDesktop.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

using namespace ndlemo;
using ndlemo::test::TTestDesktop;

namespace {
using TArgs = std::vector<std::string>;
} // namespace

TEST(IsUploadPageAddress, AcceptsOnlyWebAndFileAddressesOfAnHtmlPage) {
    const struct {
        const char* Address;
        bool Accepted;
    } rows[] = {
        {"https://www.lemo.cz/upload/index.html", true},
        {"http://lemo.cz:8080/upload.htm", true},
        {"HTTPS://Lemo.CZ/Upload.HTML", true},
        {"https://lemo.cz/upload.html?ico=87654321#form", true},
        {"https://[::1]/upload.html", true},
        {"file:///home/lemo/web/upload.html", true},
        {"file://localhost/home/lemo/web/upload.html", true},
        {"file:///home/lemo/Moje stránky/upload.html", true},
        {"file:///home/lemo/web/upload%20lemo.html", true},
        {"file:///home/lemo/web/upload.ht%6Dl", true},
        {"https://lemo.cz/.html", true},
        // A page whose name only looks like more.
        {"file:///home/lemo/upload.sh%3F.html", true},
        // No address of a page.
        {"", false},
        {"   ", false},
        {"https://lemo.cz", false},
        {"https://lemo.cz/", false},
        {"https://lemo.cz/upload", false},
        {"https://lemo.cz/upload.php", false},
        {"https://lemo.cz?page=upload.html", false},
        {"https://lemo.cz/upload.cgi?page=upload.html", false},
        {"https://lemo.cz/upload.cgi#upload.html", false},
        {"https:///upload.html", false},
        {"https://lemo cz/upload.html", false},
        {"https://lemo.cz/upload.html/", false},
        {"file://upload.html", false},
        // Plain paths and other kinds of files, which the desktop would open or run.
        {"/home/lemo/web/upload.html", false},
        {"upload.html", false},
        {"C:\\Lemo\\upload.html", false},
        {"file:///home/lemo/bin/upload.sh", false},
        {"file:///home/lemo/upload.desktop", false},
        {"file:///home/lemo/upload.html.exe", false},
        {"file:///home/lemo/upload.sh?.html", false},
        {"file:///home/lemo/upload.sh%00.html", false},
        {"file:///home/lemo/upload.sh%2", false},
        {"file:///home/lemo/upload%zz.html", false},
        {"file:///home/lemo/upload.html%2F", false},
        {"https://lemo.cz/upload\n.html", false},
        // Other schemes.
        {"ftp://lemo.cz/upload.html", false},
        {"javascript://lemo.cz/upload.html", false},
        {"smb://server/share/upload.html", false},
        {"mailto:upload@lemo.cz", false},
        {"https:/lemo.cz/upload.html", false},
        {"--new-tab https://lemo.cz/upload.html", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsUploadPageAddress(row.Address), row.Accepted) << row.Address;
}

namespace {
// A desktop whose default web browser and whose handlers of https and of HTML files record what they get.
class UploadPageOpening : public ::testing::Test {
protected:
    void SetUp() override {
        m_Desktop.AddEntry("data/applications/browser.desktop", m_Desktop.AddRecorder("browser") + " --new-window %u");
        m_Desktop.AddEntry("data/applications/opener.desktop", m_Desktop.AddRecorder("opener") + " %u");
        m_Desktop.SetDefaults({{"x-scheme-handler/http", "browser.desktop"},
                               {"x-scheme-handler/https", "opener.desktop"},
                               {"text/html", "opener.desktop"}});
    }

    TTestDesktop m_Desktop;
    const std::string m_PageFile = m_Desktop.AddPage("web/upload.html");
    const std::string m_Page = "file://" + m_PageFile;
};
} // namespace

TEST_F(UploadPageOpening, TheNewWindowIsTheDefaultBrowserGivenTheAddress) {
    OpenUploadPageNewWindow(m_Page);
    const auto record = m_Desktop.WaitForRecord("browser");
    ASSERT_TRUE(record);
    // The browser's own argument stays, its field code goes, and the address is passed exactly as set.
    EXPECT_EQ(*record, (TArgs{"--new-window", m_Page}));
    EXPECT_FALSE(m_Desktop.Recorded("opener"));
}

TEST_F(UploadPageOpening, ThePlainOpenIsTheDesktopsHandlerOfTheAddress) {
    OpenUploadPage("https://127.0.0.1:9/upload.html?ico=87654321&x=1");
    const auto record = m_Desktop.WaitForRecord("opener");
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, TArgs{"https://127.0.0.1:9/upload.html?ico=87654321&x=1"});
    EXPECT_FALSE(m_Desktop.Recorded("browser"));
}

TEST(UploadPageNewWindow, FallsBackToThePlainOpenWithoutAUsableBrowser) {
    const struct {
        const char* Name;
        const char* BrowserExec; // nullptr: the desktop names no browser
    } rows[] = {
        {"no default browser", nullptr},
        {"browser program missing", "/nonexistent/browser %u"},
        {"entry that does not read as a command", "\"/nonexistent/browser %u"},
    };
    for (const auto& row : rows) {
        TTestDesktop desktop;
        desktop.AddEntry("data/applications/opener.desktop", desktop.AddRecorder("opener") + " %f");
        std::map<std::string, std::string> defaults{{"text/html", "opener.desktop"}};
        if (row.BrowserExec) {
            desktop.AddEntry("data/applications/browser.desktop", row.BrowserExec);
            defaults["x-scheme-handler/http"] = "browser.desktop";
        }
        desktop.SetDefaults(defaults);
        const std::string page = desktop.AddPage("web/upload.html");
        OpenUploadPageNewWindow("file://" + page);
        // The desktop's handler of HTML files gets the page's file.
        const auto record = desktop.WaitForRecord("opener");
        ASSERT_TRUE(record) << row.Name;
        EXPECT_EQ(*record, TArgs{page}) << row.Name;
    }
}

TEST_F(UploadPageOpening, ARefusedAddressRaisesAndAnEmptyOneDoesNothing) {
    for (const std::string address : {"/home/lemo/upload.html", "file:///bin/sh", "ftp://lemo.cz/upload.html"}) {
        for (auto open : {&OpenUploadPage, &OpenUploadPageNewWindow}) {
            try {
                open(address);
                ADD_FAILURE() << "nothing raised for " << address;
            } catch (const ESubroutineError& e) {
                EXPECT_EQ(e.Message(), "Nepřípustná hodnota \"" + address + "\" pro \"Adresa stránky uploadu Lemo\"");
            }
        }
    }
    EXPECT_NO_THROW(OpenUploadPage(""));
    EXPECT_NO_THROW(OpenUploadPageNewWindow(""));
    EXPECT_FALSE(m_Desktop.Recorded("opener"));
    EXPECT_FALSE(m_Desktop.Recorded("browser"));
}
