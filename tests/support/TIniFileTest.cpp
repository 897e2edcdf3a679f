#include "support/TIniFile.h"

#include "TestChildProcess.h"
#include "TestTempDir.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class IniFixture : public ::testing::Test {
protected:
    void Write(const std::string& bytes) { m_Temp.WriteFile(m_File, bytes); }
    std::string Read() { return m_Temp.ReadFile(m_File); }
    test::TTestTempDir m_Temp{"ini"};
    const fs::path m_Dir = m_Temp.Path();
    const fs::path m_File = m_Dir / "NdLemo.ini";
};
} // namespace

TEST_F(IniFixture, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
    Write("[Nastaveni]\r\n  Pracoviste  =   ab 12  \r\nDirDavky=/tmp/x\n; comment=1\n[Jine]\nPracoviste=zz\r\n");
    TIniFile ini(m_File);
    EXPECT_EQ(ini.ReadString("NASTAVENI", "pracoviste", "def"), "ab 12");
    EXPECT_EQ(ini.ReadString("nastaveni", "DIRDAVKY", ""), "/tmp/x");
    EXPECT_EQ(ini.ReadString("Jine", "Pracoviste", ""), "zz");
    EXPECT_EQ(ini.ReadString("Nastaveni", "comment", "none"), "none");
}

TEST_F(IniFixture, MissingKeysSectionsAndFilesGiveTheDefault) {
    TIniFile missing(m_Dir / "none.ini");
    EXPECT_EQ(missing.ReadString("A", "b", "  def  "), "def");
    EXPECT_EQ(missing.ReadInteger("A", "b", 14), 14);
    EXPECT_FALSE(missing.KeyExists("A", "b"));
    Write("[A]\nEmpty=\nNum=  42 \nHex=$1F\nBad=4x\n");
    TIniFile ini(m_File);
    EXPECT_TRUE(ini.KeyExists("a", "empty"));
    EXPECT_EQ(ini.ReadString("A", "Empty", "def"), "");
    EXPECT_EQ(ini.ReadString("A", "Other", "def"), "def");
    EXPECT_EQ(ini.ReadString("B", "Num", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("A", "Num", 0), 42);
    EXPECT_EQ(ini.ReadInteger("A", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("A", "Empty", 7), 7);
    EXPECT_TRUE(ini.SectionExists("A"));
    EXPECT_FALSE(ini.SectionExists("B"));
}

TEST_F(IniFixture, EnclosingQuotesAreDropped) {
    Write("[A]\nq=\" spaced \"\nh=\"half\n");
    TIniFile ini(m_File);
    EXPECT_EQ(ini.ReadString("A", "q", ""), " spaced ");
    EXPECT_EQ(ini.ReadString("A", "h", ""), "\"half");
}

TEST_F(IniFixture, WriteKeepsTheRestOfTheFile) {
    Write("; header\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    TIniFile ini(m_File);
    ini.WriteString("a", "X", "  10  ");
    ini.WriteString("A", "new", "n");
    ini.WriteString("C", "w", "4");
    EXPECT_EQ(Read(), "; header\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n") << "nothing is written before UpdateFile";
    ini.UpdateFile();
    EXPECT_EQ(Read(), "; header\r\n[A]\r\nX=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "10");
    EXPECT_EQ(ini.ReadString("B", "z", ""), "3");
}

TEST_F(IniFixture, WriteCreatesTheFileInWindows1250) {
    TIniFile ini(m_File);
    ini.WriteString("Nastavení", "Obec", "Žďár nad Sázavou");
    EXPECT_FALSE(fs::exists(m_File));
    ini.UpdateFile();
    EXPECT_EQ(Read(), "[Nastaven\xED]\r\nObec=\x8E\xEF\xE1r nad S\xE1zavou\r\n");
    EXPECT_EQ(ini.ReadString("NASTAVENÍ", "obec", ""), "Žďár nad Sázavou");
    EXPECT_EQ(ini.ReadKeys("Nastavení"), std::vector<std::string>{"Obec"});
}

TEST_F(IniFixture, LinesEndAtCrLfCrOrLf) {
    const TIniFile ini = TIniFile::FromBytes("[A]\rx=1\ny=2\r\nz=3");
    EXPECT_EQ(ini.ReadKeys("A"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(ini.ReadString("A", "z", ""), "3");
    EXPECT_EQ(ini.Bytes(), "[A]\r\nx=1\r\ny=2\r\nz=3\r\n");
}

TEST_F(IniFixture, AFileThatCannotBeReadIsAnErrorNotAnEmptyFile) {
    // A directory where the file should be.
    fs::create_directory(m_File);
    try {
        TIniFile ini(m_File);
        FAIL() << "read a directory";
    } catch (const ESubroutineError& e) {
        EXPECT_EQ(std::string(e.what()), "Soubor \"" + m_File.string() + "\" nelze přečíst: Is a directory");
    }
    fs::remove(m_File);

    // A file that its user may not read.
    Write("[A]\r\nx=1\r\n");
    fs::permissions(m_File, fs::perms::none);
    fs::permissions(m_Dir, fs::perms::all);
    const int code = test::RunInChild({.Unprivileged = true}, [this] {
        try {
            TIniFile ini(m_File);
        } catch (const ESubroutineError& e) {
            return std::string(e.what()).find("nelze přečíst: Permission denied") != std::string::npos ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(IniFixture, AFailedUpdateLeavesTheFileAsItWas) {
    const std::string before = "[A]\r\nx=1\r\n";
    Write(before);
    fs::permissions(m_File, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    TIniFile ini(m_File);
    ini.WriteString("A", "x", std::string(500, 'v'));

    // A directory that refuses the new file.
    fs::permissions(m_Dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(test::RunInChild({.Unprivileged = true},
                               [&ini] {
                                   try {
                                       ini.UpdateFile();
                                   } catch (const ESubroutineError& e) {
                                       return std::string(e.what()).find("Permission denied") != std::string::npos ? 0
                                                                                                                   : 1;
                                   }
                                   return 2;
                               }),
              0);
    EXPECT_EQ(Read(), before);

    // A write that fails part-way: the file may not grow beyond 100 bytes.
    fs::permissions(m_Dir, fs::perms::all);
    EXPECT_EQ(test::RunInChild({.MaxFileSize = 100},
                               [&ini] {
                                   try {
                                       ini.UpdateFile();
                                   } catch (const ESubroutineError& e) {
                                       return std::string(e.what()).find("File too large") != std::string::npos ? 0 : 1;
                                   }
                                   return 2;
                               }),
              0);
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()), 1) << "no new file is left";

    // A character that Windows-1250 has no byte for is refused before anything is written.
    ini.WriteString("A", "x", "/home/jørgen");
    EXPECT_THROW(ini.UpdateFile(), ESubroutineError);
    EXPECT_EQ(Read(), before);

    ini.WriteString("A", "x", "2");
    ini.UpdateFile();
    EXPECT_EQ(Read(), "[A]\r\nx=2\r\n");
    struct stat st {};
    ASSERT_EQ(stat(m_File.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u) << "the new file keeps the permissions of the old";
}
