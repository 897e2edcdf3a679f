// The Debian package that `cpack -G DEB` builds (the test before these builds it): its files, its dependencies,
// and, as root, its installation with apt-get and a user's installation laid out from it by ndlemo-setup.

#include "InstallTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <sys/file.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ndlemo::test::ReadWholeFile;
using ndlemo::test::RunCommand;
using ndlemo::test::TCommandResult;
using ndlemo::test::TEnvChanges;
using ndlemo::test::WriteWholeFile;

const std::vector<std::string> Programs = ndlemo::test::Words(NDLEMO_INSTALLED_PROGRAMS);
const std::vector<int> IconSizes = {16, 24, 32, 48, 64, 128, 256};

fs::path DebFile() {
    const std::string prefix = std::string("ndlemo_") + NDLEMO_VERSION + "_";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(NDLEMO_DEB_DIR, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(".deb"))
            return entry.path();
    }
    return {};
}

// The package's files as dpkg-deb lists them: path, or "path -> target" for a link.
std::set<std::string> PackageFiles(const fs::path& deb) {
    std::set<std::string> files;
    std::istringstream lines(RunCommand({"dpkg-deb", "-c", deb.string()}).Output);
    for (std::string line; std::getline(lines, line);) {
        // "-rwxr-xr-x root/root 123 2024-01-31 08:00 ./opt/ndlemo/NdLemo"
        const size_t at = line.find(" ./");
        if (at != std::string::npos && line[0] != 'd')
            files.insert(line.substr(at + 2));
    }
    return files;
}

// The package names of a Depends field, without versions and alternatives' bars.
std::set<std::string> DependsNames(const std::string& field) {
    std::set<std::string> names;
    std::string name;
    bool inVersion = false;
    for (char c : field + ",") {
        if (c == '(')
            inVersion = true;
        else if (c == ')')
            inVersion = false;
        else if (!inVersion && (c == ',' || c == '|' || c == ' ' || c == '\n')) {
            if (!name.empty())
                names.insert(name);
            name.clear();
        } else if (!inVersion)
            name += c;
    }
    return names;
}

// The Debian packages that hold the shared libraries the program loads directly (of the machine's architecture:
// the 32-bit ones have names of their own).
std::set<std::string> LibraryPackages(const fs::path& program) {
    std::string arch = RunCommand({"dpkg", "--print-architecture"}).Output;
    arch = ":" + arch.substr(0, arch.find('\n'));
    std::set<std::string> packages;
    std::istringstream lines(RunCommand({"readelf", "-d", program.string()}).Output);
    for (std::string line; std::getline(lines, line);) {
        const size_t open = line.find("Shared library: [");
        if (open == std::string::npos)
            continue;
        const std::string library = line.substr(open + 17, line.find(']', open) - open - 17);
        // "libqt6core6:amd64: /usr/lib/x86_64-linux-gnu/libQt6Core.so.6"
        std::istringstream owners(RunCommand({"dpkg", "-S", "*/" + library}).Output);
        std::string found = "(no package of " + library + ")";
        for (std::string owner; std::getline(owners, owner);) {
            const size_t qualifier = owner.find(arch + ": ");
            if (qualifier != std::string::npos)
                found = owner.substr(0, qualifier);
        }
        packages.insert(found);
    }
    return packages;
}

class DebPackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Deb = DebFile();
        ASSERT_FALSE(m_Deb.empty()) << "no ndlemo_" << NDLEMO_VERSION << "_*.deb in " << NDLEMO_DEB_DIR;
    }
    fs::path m_Deb;
};

TEST_F(DebPackageTest, HoldsTheProgramsUnderOptTheSetupCommandAndTheIconsOnly) {
    const std::set<std::string> files = PackageFiles(m_Deb);
    std::set<std::string> expected;
    for (const auto& name : Programs)
        expected.insert("/opt/ndlemo/" + name);
    expected.insert("/opt/ndlemo/ndlemo-setup");
    expected.insert("/usr/bin/ndlemo-setup -> /opt/ndlemo/ndlemo-setup");
    if (std::find(Programs.begin(), Programs.end(), "NdLemo") != Programs.end()) {
        for (int side : IconSizes)
            expected.insert("/usr/share/icons/hicolor/" + std::to_string(side) + "x" + std::to_string(side) +
                            "/apps/ndlemo.png");
        expected.insert("/usr/share/icons/hicolor/scalable/apps/ndlemo.svg");
    }
    // Nothing else: no settings, no work directories, no tools of its own.
    EXPECT_EQ(files, expected);
}

TEST_F(DebPackageTest, DependsOnTheLibrariesItsProgramsLoadOnPuttyAndOnTheFonts) {
    const TCommandResult field = RunCommand({"dpkg-deb", "-f", m_Deb.string(), "Depends"});
    ASSERT_EQ(field.Status, 0) << field.Output;
    const std::set<std::string> depends = DependsNames(field.Output);
    for (const char* name : {"putty-tools", "fonts-liberation", "xdg-utils", "libc6", "libstdc++6"})
        EXPECT_TRUE(depends.count(name)) << name << " missing in: " << field.Output;
    for (const auto& program : Programs)
        for (const auto& package : LibraryPackages(fs::path(NDLEMO_BIN_DIR) / program))
            EXPECT_TRUE(depends.count(package)) << program << " needs " << package << "; Depends: " << field.Output;
    if (std::find(Programs.begin(), Programs.end(), "NdLemo") != Programs.end()) {
        for (const char* name : {"libqt6widgets6", "libqt6gui6", "libqt6core6", "libcurl4"})
            EXPECT_TRUE(depends.count(name)) << name << " missing in: " << field.Output;
    }
    const TCommandResult info = RunCommand({"dpkg-deb", "-I", m_Deb.string()});
    EXPECT_NE(info.Output.find("Package: ndlemo\n"), std::string::npos) << info.Output;
    EXPECT_NE(info.Output.find(std::string("Version: ") + NDLEMO_VERSION + "\n"), std::string::npos) << info.Output;
}

// Holds a lock for the machine-wide part of a test (the package is installed for everyone), so that two test
// runs on one machine do not install and remove it under each other.
class TMachineLock {
public:
    TMachineLock() : m_Fd(open("/tmp/ndlemo-deb-test.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0600)) {
        if (m_Fd >= 0)
            flock(m_Fd, LOCK_EX);
    }
    ~TMachineLock() {
        if (m_Fd >= 0)
            close(m_Fd);
    }
    TMachineLock(const TMachineLock&) = delete;
    TMachineLock& operator=(const TMachineLock&) = delete;

private:
    int m_Fd;
};

bool PackageInstalled() {
    return RunCommand({"dpkg-query", "-W", "-f=${Status}", "ndlemo"}).Output.find("install ok installed") !=
           std::string::npos;
}

const TEnvChanges AptEnvironment = {{"DEBIAN_FRONTEND", "noninteractive"}};

// Removes the package again at the end of the test, whatever its end.
class TInstalledPackage {
public:
    ~TInstalledPackage() {
        RunCommand({"apt-get", "-o", "DPkg::Lock::Timeout=600", "remove", "--purge", "-y", "-q", "ndlemo"},
                   AptEnvironment);
    }
};

TEST_F(DebPackageTest, InstalledWithAptLaysOutAWorkingInstallationThroughNdlemoSetup) {
    if (geteuid() != 0)
        GTEST_SKIP() << "installing the package with apt-get needs root";
    TMachineLock lock;
    if (PackageInstalled())
        GTEST_SKIP() << "ndlemo is installed on this machine already; the test does not replace it";
    TInstalledPackage cleanup;
    const TCommandResult apt = RunCommand(
        {"apt-get", "-o", "DPkg::Lock::Timeout=600", "install", "-y", "-q", "--no-install-recommends", m_Deb.string()},
        AptEnvironment);
    ASSERT_EQ(apt.Status, 0) << apt.Output;
    ASSERT_TRUE(PackageInstalled());

    ndlemo::test::TTestTempDir temp("deb");
    const fs::path dir = temp.Path() / "NdLemo";
    const TEnvChanges env = ndlemo::test::UserEnvironment(temp.Path());
    // The command as the package puts it on the PATH, with the default menu entry for the user.
    const TCommandResult setup = RunCommand({"ndlemo-setup", dir.string()}, env);
    ASSERT_EQ(setup.Status, 0) << setup.Output;

    for (const auto& name : Programs)
        EXPECT_EQ(ReadWholeFile(dir / name), ReadWholeFile("/opt/ndlemo/" + name)) << name;
    EXPECT_EQ(ReadWholeFile(dir / "out" / "Nofile"), "y\n");
    for (const std::string tool : {"pscp", "plink", "md5sum"})
        EXPECT_TRUE(fs::is_regular_file(dir / "out" / (tool + ".exe"))) << tool;
    EXPECT_TRUE(fs::is_directory(dir / "out" / "zaloha"));
    EXPECT_TRUE(fs::is_directory(dir / "pracovni"));

    const TCommandResult help = RunCommand({(dir / "ndlemo-check").string(), "--help"}, env);
    EXPECT_EQ(help.Status, 0) << help.Output;

    if (std::find(Programs.begin(), Programs.end(), "NdLemo") != Programs.end()) {
        const fs::path entry = temp.Path() / "home/.local/share/applications/ndlemo.desktop";
        ASSERT_TRUE(fs::is_regular_file(entry));
        EXPECT_NE(ReadWholeFile(entry).find("\nExec=\"" + (dir / "NdLemo").string() + "\"\n"), std::string::npos);
        EXPECT_EQ(RunCommand({"desktop-file-validate", entry.string()}).Status, 0);
        EXPECT_TRUE(fs::is_regular_file("/usr/share/icons/hicolor/48x48/apps/ndlemo.png"));
        ndlemo::test::ExpectStartsUnderXvfb(dir / "NdLemo", temp.Path());
    }

    // Set up again over it: the settings and a package in the backup directory stay.
    WriteWholeFile(dir / "NdLemo.ini", "[General]\r\nPracoviste=LM01\r\n");
    WriteWholeFile(dir / "out" / "zaloha" / "LM01_12345678_87654321_2024_xxxxxxx123_20240131.zip", "PK\3\4pkg");
    const TCommandResult again = RunCommand({"ndlemo-setup", "--desktop-entry", "none", dir.string()}, env);
    ASSERT_EQ(again.Status, 0) << again.Output;
    EXPECT_EQ(ReadWholeFile(dir / "NdLemo.ini"), "[General]\r\nPracoviste=LM01\r\n");
    EXPECT_EQ(ReadWholeFile(dir / "out" / "zaloha" / "LM01_12345678_87654321_2024_xxxxxxx123_20240131.zip"),
              "PK\3\4pkg");
}

} // namespace
