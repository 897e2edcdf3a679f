#include "platform/DesktopEntry.h"

#include <gtest/gtest.h>

using namespace ndlemo::platform;
namespace fs = std::filesystem;

namespace {
std::string Joined(const std::vector<fs::path>& paths) {
    std::string text;
    for (const auto& p : paths)
        text += "[" + p.string() + "]";
    return text;
}

std::string Joined(const std::optional<std::vector<std::string>>& args) {
    if (!args)
        return "none";
    std::string text;
    for (const auto& a : *args)
        text += "[" + a + "]";
    return text;
}
} // namespace

TEST(DesktopDataDirs, FollowTheBaseDirectoryRules) {
    const struct {
        const char* DataHome;
        const char* DataDirs;
        const char* Home;
        const char* Dirs;
    } rows[] = {
        {"/h/data", "/a:/b", "/home/u", "[/h/data][/a][/b]"},
        {nullptr, nullptr, "/home/u", "[/home/u/.local/share][/usr/local/share][/usr/share]"},
        {"", "", "/home/u", "[/home/u/.local/share][/usr/local/share][/usr/share]"},
        // Relative and empty entries mean nothing.
        {"rel/data", "/a::rel:/b", "/home/u", "[/home/u/.local/share][/a][/b]"},
        {nullptr, "/a", nullptr, "[/a]"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Joined(DesktopDataDirs(row.DataHome, row.DataDirs, row.Home)), row.Dirs)
            << (row.DataHome ? row.DataHome : "-") << " " << (row.DataDirs ? row.DataDirs : "-");
}

TEST(DesktopFileId, IsAPlainDesktopFileNameOnTheFirstLine) {
    const struct {
        const char* Output;
        const char* Id;
    } rows[] = {
        {"firefox-esr.desktop\n", "firefox-esr.desktop"},
        {"  google-chrome.desktop \r\nmore\n", "google-chrome.desktop"},
        {"org.gnome.Epiphany.desktop", "org.gnome.Epiphany.desktop"},
        {"", ""},
        {"\n", ""},
        {"firefox", ""},
        {".desktop", ""},
        {"../../bin/x.desktop", ""},
        {"/usr/share/applications/firefox.desktop", ""},
        {"a\\b.desktop", ""},
        {"\nfirefox.desktop", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DesktopFileId(row.Output), row.Id) << row.Output;
}

TEST(DesktopFileCandidates, TryTheNameThenDashesAsSubfolders) {
    EXPECT_EQ(Joined(DesktopFileCandidates("/s", "firefox.desktop")), "[/s/applications/firefox.desktop]");
    EXPECT_EQ(Joined(DesktopFileCandidates("/s", "kde4-konqueror-x.desktop")),
              "[/s/applications/kde4-konqueror-x.desktop][/s/applications/kde4/konqueror-x.desktop]"
              "[/s/applications/kde4/konqueror/x.desktop]");
}

TEST(DesktopEntryExec, ReadsTheExecOfTheDesktopEntryGroup) {
    const struct {
        const char* Name;
        const char* Text;
        const char* Exec; // nullptr: none
    } rows[] = {
        {"plain", "[Desktop Entry]\nType=Application\nExec=firefox %u\n", "firefox %u"},
        {"crlf and blanks", "# c\r\n[Desktop Entry]\r\nExec = /opt/b/browser  --x %U \r\n", "/opt/b/browser  --x %U"},
        {"string escapes", "[Desktop Entry]\nExec=\"/opt/my\\sbrowser/b\" \"a\\\\\\\\b\" \\q\n",
         "\"/opt/my browser/b\" \"a\\\\b\" \\q"},
        {"first wins", "[Desktop Entry]\nExec=first\nExec=second\n", "first"},
        // The actions' Exec lines belong to other groups; translated keys are other keys.
        {"other groups", "[Desktop Entry]\nExec[cs]=cesky\nName=B\n[Desktop Action new-window]\nExec=b --new-window\n",
         nullptr},
        {"group after", "[Desktop Action x]\nExec=x\n[Desktop Entry]\nExec=b %u\n", "b %u"},
        {"no group", "Exec=b %u\n", nullptr},
        {"hidden", "[Desktop Entry]\nExec=b %u\nHidden=true\n", nullptr},
        {"hidden false", "[Desktop Entry]\nHidden=false\nExec=b %u\n", "b %u"},
        {"empty", "", nullptr},
    };
    for (const auto& row : rows) {
        const std::optional<std::string> exec = DesktopEntryExec(row.Text);
        if (row.Exec)
            EXPECT_EQ(exec.value_or("none"), row.Exec) << row.Name;
        else
            EXPECT_FALSE(exec) << row.Name << ": " << *exec;
    }
}

TEST(SplitDesktopExec, UndoesQuotingAndDropsFieldCodes) {
    const struct {
        const char* Exec;
        const char* Args;
    } rows[] = {
        // As browsers register themselves.
        {"/usr/lib/firefox-esr/firefox-esr %u", "[/usr/lib/firefox-esr/firefox-esr]"},
        {"/usr/bin/google-chrome-stable %U", "[/usr/bin/google-chrome-stable]"},
        {"env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop /snap/bin/firefox %u",
         "[env][BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop][/snap/bin/"
         "firefox]"},
        {"/usr/bin/flatpak run --branch=stable --command=firefox --file-forwarding org.mozilla.firefox @@u %u @@",
         "[/usr/bin/flatpak][run][--branch=stable][--command=firefox][--file-forwarding][org.mozilla.firefox][@@u]"
         "[@@]"},
        {"epiphany %U %i %c %k", "[epiphany]"},
        {"b %f %F %d %D %n %N %v %m", "[b]"},
        // Quoting.
        {"\"/opt/my browser/b\" --x", "[/opt/my browser/b][--x]"},
        {"b \"a \\\"q\\\" \\` \\$ \\\\ z\"", "[b][a \"q\" ` $ \\ z]"},
        {"b \"\\n stays\"", "[b][\\n stays]"},
        {"b --a=\"x y\"z", "[b][--a=x yz]"},
        {"b \"\"", "[b][]"},
        {"  b\t x  ", "[b][x]"},
        // Field codes inside a word, and the literal percent sign.
        {"b --url=%u 100%%", "[b][--url=][100%]"},
        {"b %u%U", "[b]"},
        // What must not run.
        {"\"/opt/b", "none"},
        {"b \"x", "none"},
        {"b %z", "none"},
        {"b 100%", "none"},
        {"", "none"},
        {"   ", "none"},
        {"%u", "none"},
        {"\"\" %u", "none"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Joined(SplitDesktopExec(row.Exec)), row.Args) << row.Exec;
}
