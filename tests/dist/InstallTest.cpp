// Installs the built programs with `cmake --install` into directories of the test's own, as a workstation gets
// them, and upgrades them: the programs are replaced, the settings, packages and work files stay.

#include "InstallTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ndlemo::test::ReadWholeFile;
using ndlemo::test::RunCommand;
using ndlemo::test::TCommandResult;
using ndlemo::test::TEnvChanges;
using ndlemo::test::WriteWholeFile;

const fs::path BuildDir = NDLEMO_BUILD_DIR;
const fs::path BuiltPrograms = NDLEMO_BIN_DIR;
const std::vector<std::string> Programs = ndlemo::test::Words(NDLEMO_INSTALLED_PROGRAMS);

bool HasProgram(const std::string& name) {
    return std::find(Programs.begin(), Programs.end(), name) != Programs.end();
}

ino_t Inode(const fs::path& file) {
    struct stat st {};
    return stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A file's size and a hash of its bytes (whole programs would make unreadable messages).
std::string Fingerprint(const fs::path& file) {
    const std::string bytes = ReadWholeFile(file);
    return std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>{}(bytes));
}

// Everything under dir (recursively): a file's fingerprint, a link's target.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().lexically_relative(dir).string();
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[name] = Fingerprint(entry.path());
        else
            files[name] = "<dir>";
    }
    return files;
}

// The names of the temporary files an interrupted installation might leave.
std::vector<std::string> Leftovers(const fs::path& dir) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".new"))
            found.push_back(entry.path().lexically_relative(dir).string());
    }
    return found;
}

class InstallTest : public ::testing::Test {
protected:
    ndlemo::test::TTestTempDir m_Temp{"install"};
    fs::path m_Dir = m_Temp.Path() / "NdLemo";
    TEnvChanges m_Env = ndlemo::test::UserEnvironment(m_Temp.Path());

    TCommandResult Install(const fs::path& dir, const TEnvChanges& more = {}) {
        TEnvChanges env = m_Env;
        for (const auto& [name, value] : more)
            env[name] = value;
        return RunCommand({"cmake", "--install", BuildDir.string(), "--prefix", dir.string()}, env);
    }
    // With the menu entry for the user, whose data directory is data.
    TCommandResult InstallWithEntry(const fs::path& dir, const fs::path& data) {
        return Install(dir, {{"NDLEMO_DESKTOP_ENTRY", "user"}, {"XDG_DATA_HOME", data.string()}});
    }
    void InstallOrFail(const fs::path& dir) {
        const TCommandResult r = Install(dir);
        ASSERT_EQ(r.Status, 0) << r.Output;
    }
};

TEST_F(InstallTest, LaysOutTheProgramsTheToolsAndEmptyWorkDirectoriesWithoutSettings) {
    InstallOrFail(m_Dir);
    for (const auto& name : Programs) {
        const fs::path program = m_Dir / name;
        ASSERT_TRUE(fs::is_regular_file(program)) << name;
        EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none) << name;
        EXPECT_EQ(Fingerprint(program), Fingerprint(BuiltPrograms / name)) << name;
    }
    EXPECT_EQ(ReadWholeFile(m_Dir / "out" / "Nofile"), "y\n");
    for (const std::string tool : {"pscp", "plink", "md5sum"}) {
        const fs::path link = m_Dir / "out" / (tool + ".exe");
        ASSERT_TRUE(fs::is_symlink(link)) << link;
        const fs::path target = fs::read_symlink(link);
        EXPECT_EQ(target.filename(), tool);
        EXPECT_TRUE(fs::is_regular_file(link)) << "dangling: " << link << " -> " << target;
    }
    for (const char* dir : {"out/zaloha", "pracovni"}) {
        ASSERT_TRUE(fs::is_directory(m_Dir / dir)) << dir;
        EXPECT_TRUE(fs::is_empty(m_Dir / dir)) << dir;
    }
    // A first installation has no settings: the program starts with its request list, as without the files.
    for (const char* file : {"NdLemo.ini", "NdLemoPrenos.ini", "NdLemoProxy.ini"})
        EXPECT_FALSE(fs::exists(m_Dir / file)) << file;
    // cmake --install writes no desktop entry unless asked.
    EXPECT_TRUE(fs::is_empty(m_Temp.Path() / "home"));
    EXPECT_EQ(Leftovers(m_Dir), std::vector<std::string>());
}

TEST_F(InstallTest, TheInstalledCheckToolAnswersHelp) {
    InstallOrFail(m_Dir);
    const TCommandResult r = RunCommand({(m_Dir / "ndlemo-check").string(), "--help"}, m_Env);
    EXPECT_EQ(r.Status, 0) << r.Output;
    EXPECT_NE(r.Output.find("usage: ndlemo-check"), std::string::npos) << r.Output;
}

TEST_F(InstallTest, TheInstalledSendToolAnswersHelp) {
    InstallOrFail(m_Dir);
    const fs::path send = m_Dir / "ndlemo-send";
    if (!fs::exists(send))
        GTEST_SKIP() << "ndlemo-send is not built yet, so the installation holds none";
    const TCommandResult r = RunCommand({send.string(), "--help"}, m_Env);
    EXPECT_EQ(r.Status, 0) << r.Output;
    EXPECT_NE(r.Output.find("ndlemo-send"), std::string::npos) << r.Output;
}

TEST_F(InstallTest, AnUpgradeReplacesTheProgramsAndKeepsSettingsPackagesAndWorkFiles) {
    InstallOrFail(m_Dir);
    // What a workstation holds after some use; the settings in Windows-1250 with CR LF lines.
    WriteWholeFile(m_Dir / "NdLemo.ini", "[General]\r\nPracoviste=LM01\r\nDefaultDodNazev=Poliklinika \xE8.\xA0"
                                         "1\r\n");
    WriteWholeFile(m_Dir / "NdLemoPrenos.ini", "[Prenos]\r\nHost=lemo.example\r\nPkf=lemo.ppk\r\n");
    WriteWholeFile(m_Dir / "NdLemoProxy.ini", "[General]\r\nUse=1\r\nHost=proxy:3128\r\n");
    WriteWholeFile(m_Dir / "NdLemo_20240131_080000.log", "log\r\n");
    WriteWholeFile(m_Dir / "out" / "lemo.ppk", "PuTTY-User-Key-File-3: ssh-ed25519\n");
    WriteWholeFile(m_Dir / "out" / "zaloha" / "LM01_12345678_87654321_2024_xxxxxxx123_20240131.zip", "PK\3\4pkg");
    WriteWholeFile(m_Dir / "out" / "Nofile", "n\n");
    fs::remove(m_Dir / "out" / "pscp.exe");
    WriteWholeFile(m_Dir / "out" / "pscp.exe", "#!/bin/sh\n# the clinic's own\n");
    WriteWholeFile(m_Dir / "pracovni" / "1_davka.txt", "attached");
    const std::map<std::string, std::string> before = [&] {
        auto files = Snapshot(m_Dir);
        for (const auto& name : Programs)
            files.erase(name);
        return files;
    }();
    // An older program in its place.
    const std::string program = Programs.back();
    WriteWholeFile(m_Dir / program, "#!/bin/sh\necho old\n");

    InstallOrFail(m_Dir);

    std::map<std::string, std::string> after = Snapshot(m_Dir);
    for (const auto& name : Programs) {
        EXPECT_EQ(after[name], Fingerprint(BuiltPrograms / name)) << name << " was not replaced";
        after.erase(name);
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(Leftovers(m_Dir), std::vector<std::string>());
}

TEST_F(InstallTest, AMissingToolOrADanglingLinkIsLinkedAgain) {
    InstallOrFail(m_Dir);
    fs::remove(m_Dir / "out" / "plink.exe");
    fs::create_symlink("/nonexistent/plink", m_Dir / "out" / "plink.exe");
    fs::remove(m_Dir / "out" / "md5sum.exe");
    fs::remove(m_Dir / "out" / "Nofile");

    InstallOrFail(m_Dir);

    EXPECT_TRUE(fs::is_regular_file(m_Dir / "out" / "plink.exe"));
    EXPECT_EQ(fs::read_symlink(m_Dir / "out" / "plink.exe").filename(), "plink");
    EXPECT_TRUE(fs::is_regular_file(m_Dir / "out" / "md5sum.exe"));
    EXPECT_EQ(ReadWholeFile(m_Dir / "out" / "Nofile"), "y\n");
}

TEST_F(InstallTest, AnUpgradeUnderARunningProgramLeavesItRunningOnItsOldImage) {
    if (!HasProgram("NdLemo"))
        GTEST_SKIP() << "built without the window";
    InstallOrFail(m_Dir);
    const ino_t old = Inode(m_Dir / "NdLemo");
    TEnvChanges env = m_Env;
    env["QT_QPA_PLATFORM"] = "offscreen";
    // It waits in its login dialog.
    ndlemo::test::TSpawnedProcess running({(m_Dir / "NdLemo").string()}, env);
    ASSERT_TRUE(running.Started());

    InstallOrFail(m_Dir);

    EXPECT_NE(Inode(m_Dir / "NdLemo"), old) << "the program file was written over in place";
    EXPECT_TRUE(running.Running()) << "the running program ended";
    std::error_code ec;
    const std::string image = fs::read_symlink("/proc/" + std::to_string(running.Pid()) + "/exe", ec).string();
    EXPECT_TRUE(image.ends_with(" (deleted)")) << image;
}

TEST_F(InstallTest, AFailedCopyLeavesTheOldProgramsWhole) {
    InstallOrFail(m_Dir);
    const auto before = Snapshot(m_Dir);
    // New programs of which the last one cannot be written: the file size limit below is smaller.
    const fs::path from = m_Temp.Path() / "new";
    fs::create_directories(from);
    for (const auto& name : Programs)
        WriteWholeFile(from / name, "#!/bin/sh\necho new\n");
    WriteWholeFile(from / Programs.back(), std::string(2 * 1024 * 1024, 'x'));
    std::string names;
    for (const auto& name : Programs)
        names += name + " ";
    const TCommandResult r =
        RunCommand({"bash", "-c", "ulimit -f 1024 && exec bash \"$@\"", "bash", NDLEMO_SETUP, "--from", from.string(),
                    "--programs", names, "--desktop-entry", "none", m_Dir.string()},
                   m_Env);
    EXPECT_NE(r.Status, 0) << r.Output;
    EXPECT_EQ(Snapshot(m_Dir), before) << "the installation changed";
    EXPECT_EQ(Leftovers(m_Dir), std::vector<std::string>());
}

// The menu entry starts the program in its installation, with the icon rendered beside it.
TEST_F(InstallTest, TheDesktopEntryPointsAtTheInstallationAndCarriesTheIcon) {
    if (!HasProgram("NdLemo"))
        GTEST_SKIP() << "built without the window";
    const fs::path dir = m_Temp.Path() / "ND LEMO";
    const fs::path data = m_Temp.Path() / "data";
    const TCommandResult r = InstallWithEntry(dir, data);
    ASSERT_EQ(r.Status, 0) << r.Output;
    const fs::path entry = data / "applications" / "ndlemo.desktop";
    ASSERT_TRUE(fs::is_regular_file(entry));
    const TCommandResult valid = RunCommand({"desktop-file-validate", entry.string()});
    EXPECT_EQ(valid.Status, 0) << valid.Output;
    EXPECT_EQ(valid.Output, "");

    const std::string text = ReadWholeFile(entry);
    for (const std::string& line :
         std::vector<std::string>{"Name=ND LEMO", "Icon=ndlemo", "Categories=Office;Finance;", "Terminal=false",
                                  "StartupWMClass=NdLemo", "Exec=\"" + (dir / "NdLemo").string() + "\"",
                                  "Path=" + dir.string(), "TryExec=" + (dir / "NdLemo").string()})
        EXPECT_NE(text.find("\n" + line + "\n"), std::string::npos) << line << "\n" << text;
    EXPECT_NE(text.find("\nComment=Kontrola a odeslání"), std::string::npos) << text;

    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        EXPECT_EQ(ndlemo::test::PngSize(data / "icons/hicolor" / size / "apps/ndlemo.png"), std::make_pair(side, side))
            << size;
    }
    EXPECT_TRUE(fs::is_regular_file(data / "icons/hicolor/scalable/apps/ndlemo.svg"));
}

// Quotes, dollars, backslashes and percent signs in the path reach the program's path unchanged.
TEST_F(InstallTest, TheDesktopEntryQuotesAnOddPath) {
    if (!HasProgram("NdLemo"))
        GTEST_SKIP() << "built without the window";
    const fs::path dir = m_Temp.Path() / "a \"b\" $c 100% d\\e";
    const fs::path data = m_Temp.Path() / "data";
    const TCommandResult r = InstallWithEntry(dir, data);
    ASSERT_EQ(r.Status, 0) << r.Output;
    const std::string text = ReadWholeFile(data / "applications" / "ndlemo.desktop");
    const std::string temp = m_Temp.Path().string();
    EXPECT_NE(text.find("\nExec=\"" + temp + "/a \\\\\"b\\\\\" \\\\$c 100%% d\\\\\\\\e/NdLemo\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nPath=" + temp + "/a \"b\" $c 100% d\\\\e\n"), std::string::npos) << text;
    EXPECT_EQ(RunCommand({"desktop-file-validate", (data / "applications" / "ndlemo.desktop").string()}).Status, 0);
}

TEST_F(InstallTest, TheInstalledProgramStartsUnderXvfbWithItsIcon) {
    if (!HasProgram("NdLemo"))
        GTEST_SKIP() << "built without the window";
    InstallOrFail(m_Dir);
    ndlemo::test::ExpectStartsUnderXvfb(m_Dir / "NdLemo", m_Temp.Path());
}

} // namespace
