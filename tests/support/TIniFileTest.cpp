#include "support/TIniFile.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    EXPECT_EQ(Read(), "; header\r\n[A]\r\nX=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "10");
    EXPECT_EQ(ini.ReadString("B", "z", ""), "3");
}

TEST_F(IniFixture, WriteCreatesTheFileInWindows1250) {
    TIniFile ini(m_File);
    ini.WriteString("Nastavení", "Obec", "Žďár nad Sázavou");
    EXPECT_EQ(Read(), "[Nastaven\xED]\r\nObec=\x8E\xEF\xE1r nad S\xE1zavou\r\n");
    EXPECT_EQ(ini.ReadString("NASTAVENÍ", "obec", ""), "Žďár nad Sázavou");
    EXPECT_EQ(ini.ReadKeys("Nastavení"), std::vector<std::string>{"Obec"});
}
