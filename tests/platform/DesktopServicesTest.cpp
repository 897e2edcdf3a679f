#include "platform/DesktopServices.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>

using namespace ndlemo::platform;
using ndlemo::test::TTestDesktop;

namespace {
using TArgs = std::vector<std::string>;
constexpr const char* UserEntry = "data/applications/browser.desktop";
constexpr const char* SystemEntry = "sys/applications/browser.desktop";
} // namespace

TEST(DefaultBrowserCommand, IsTheCommandOfTheEntryTheDesktopNames) {
    // "{b}" stands for the recording browser's full path, "{d}" for the desktop's directory.
    const struct {
        const char* Name;
        const char* Id;
        const char* File;
        const char* Exec;
        const char* More;
        TArgs Command; // empty: no browser
    } rows[] = {
        {"user entry", "browser.desktop", UserEntry, "{b} --new-window %u", "", {"{b}", "--new-window"}},
        {"system entry, quoted argument",
         "browser.desktop",
         SystemEntry,
         "{b} \"--profile=a b\" %U",
         "",
         {"{b}", "--profile=a b"}},
        {"program from PATH", "browser.desktop", UserEntry, "browser %u", "", {"{b}"}},
        {"id naming a subfolder",
         "vendor-browser.desktop",
         "sys/applications/vendor/browser.desktop",
         "{b} %u",
         "",
         {"{b}"}},
        {"program missing", "browser.desktop", UserEntry, "{d}/bin/nothing %u", "", {}},
        {"relative program path", "browser.desktop", UserEntry, "bin/browser %u", "", {}},
        {"open quote", "browser.desktop", UserEntry, "\"{b} %u", "", {}},
        {"unknown field code", "browser.desktop", UserEntry, "{b} %x", "", {}},
        {"hidden entry", "browser.desktop", UserEntry, "{b} %u", "Hidden=true\n", {}},
        {"no default", "", UserEntry, "{b} %u", "", {}},
        {"default without entry", "missing.desktop", UserEntry, "{b} %u", "", {}},
    };
    for (const auto& row : rows) {
        TTestDesktop desktop;
        const std::string browser = desktop.AddRecorder("browser");
        auto fill = [&](std::string text) {
            for (const auto& [mark, value] : {std::pair<std::string, std::string>{"{b}", browser},
                                              std::pair<std::string, std::string>{"{d}", desktop.Path("")}})
                for (size_t p; (p = text.find(mark)) != std::string::npos;)
                    text.replace(p, mark.size(), value);
            return text;
        };
        desktop.AddEntry(row.File, fill(row.Exec), row.More);
        if (*row.Id)
            desktop.SetDefaults({{"x-scheme-handler/http", row.Id}});
        TArgs expected;
        for (const std::string& arg : row.Command)
            expected.push_back(fill(arg));
        EXPECT_EQ(DefaultBrowserCommand(), expected) << row.Name;
    }
}

TEST(DefaultBrowserCommand, TheUsersEntryHidesTheSystemsOfTheSameId) {
    TTestDesktop desktop;
    const std::string browser = desktop.AddRecorder("browser");
    desktop.AddEntry(SystemEntry, browser + " --system %u");
    desktop.AddEntry(UserEntry, browser + " --user %u");
    desktop.SetDefaults({{"x-scheme-handler/http", "browser.desktop"}});
    EXPECT_EQ(DefaultBrowserCommand(), (TArgs{browser, "--user"}));
}

TEST(StartDetached, PassesEveryArgumentAsItIsWithoutAShell) {
    TTestDesktop desktop;
    const std::string browser = desktop.AddRecorder("browser");
    const TArgs arguments{browser, "file:///tmp/a b/upload.html", "$HOME", "a;b", "*", "\"q\"", ""};
    ASSERT_TRUE(StartDetached(arguments));
    const auto record = desktop.WaitForRecord("browser");
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, TArgs(arguments.begin() + 1, arguments.end()));
}

TEST(StartDetached, FailsForAProgramThatIsNotThere) {
    TTestDesktop desktop;
    EXPECT_FALSE(StartDetached({desktop.Path("bin/nothing"), "x"}));
    EXPECT_FALSE(StartDetached({"ndlemo-no-such-program", "x"}));
    EXPECT_FALSE(StartDetached({}));
}

TEST(OpenWithDefaultHandler, HandsTheAddressToTheHandlerOfItsKind) {
    TTestDesktop desktop;
    const std::string opener = desktop.AddRecorder("opener");
    desktop.AddEntry("data/applications/opener.desktop", opener + " %u");
    desktop.SetDefaults({{"x-scheme-handler/https", "opener.desktop"}});
    ASSERT_TRUE(OpenWithDefaultHandler("https://127.0.0.1:9/upload.html"));
    const auto record = desktop.WaitForRecord("opener");
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, TArgs{"https://127.0.0.1:9/upload.html"});
}
