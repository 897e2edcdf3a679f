#include "transfer/TestConnection.h"

#include "TestRaised.h"
#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "transfer/TSshTestServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace ndlemo;
using namespace ndlemo::test;
namespace fs = std::filesystem;

namespace {
// An installation around a real sshd (not started until a test starts it).
class TestConnectionFixture : public ::testing::Test {
protected:
    TTestTempDir m_Dir{"connection"};
    THomeOverride m_Home{m_Dir.Path() / "home"};
    TSshTestServer m_Server{m_Dir.Path() / "sshd"};
    TScpInstallation m_Inst{m_Dir.Path(), m_Server};
};
} // namespace

TEST_F(TestConnectionFixture, ReturnsTheTextOfTheServersTestFileReplacingAStaleCopy) {
    m_Server.Start();
    m_Dir.WriteFile("srv/test/test.txt", "Spojení s Lemo je v pořádku\nverze 2\n\nkonec");
    m_Dir.WriteFile("program/out/test.txt", "stale copy of an earlier test");
    m_Inst.Prenos.TestSpojDir += "/"; // one trailing slash makes no difference
    const TTransferContext context = m_Inst.Context();
    EXPECT_EQ(TestConnection(context), "Spojení s Lemo je v pořádku\r\nverze 2\r\n\r\nkonec\r\n");
    EXPECT_EQ(m_Dir.ReadFile("program/out/test.txt"), "Spojení s Lemo je v pořádku\nverze 2\n\nkonec");
    EXPECT_EQ(m_Inst.Console.Tools, std::vector<std::string>{"pscp.exe"});
    EXPECT_TRUE(m_Inst.LogLines.empty());

    // An empty test file passes with an empty text.
    m_Dir.WriteFile("srv/test/test.txt", "");
    EXPECT_EQ(TestConnection(context), "");
}

TEST_F(TestConnectionFixture, ARefusedConnectionIsLoggedAndRaisedWithTheToolsReason) {
    m_Inst.Prenos.TestSpojDir = (m_Inst.ServerDir / "test").string() + "/";
    m_Dir.WriteFile("program/out/test.txt", "stale");
    const std::string message = "Test spojení skončil chybou: 1 (FATAL ERROR: Connection refused) (Host:\"127.0.0.1\", "
                                "Port:\"" +
                                m_Inst.Prenos.Port + "\", Dir:\"" + m_Inst.Prenos.TestSpojDir + "\")";
    EXPECT_EQ(Raised([&] { (void)TestConnection(m_Inst.Context()); }), message);
    EXPECT_EQ(m_Inst.LogLines, std::vector<std::string>{"16 " + message});
    EXPECT_FALSE(fs::exists(m_Inst.DirOut / "test.txt"));
}

TEST_F(TestConnectionFixture, AMissingTestFileOnTheServerFailsAtPscp) {
    m_Server.Start();
    const std::string message = Raised([&] { (void)TestConnection(m_Inst.Context()); });
    EXPECT_TRUE(message.starts_with("Test spojení skončil chybou: 1 (unable to identify ")) << message;
    EXPECT_NE(message.find("test.txt: no such file or directory)"), std::string::npos) << message;
}

// pscp ending with 0 without a file: the stale copy was deleted first, so the missing download shows.
TEST_F(TestConnectionFixture, APscpThatCopiesNothingIsCaught) {
    fs::remove(m_Inst.DirOut / "pscp.exe");
    m_Dir.WriteFile("program/out/pscp.exe", "#!/bin/sh\nexit 0\n");
    fs::permissions(m_Inst.DirOut / "pscp.exe", fs::perms::owner_all);
    m_Dir.WriteFile("program/out/test.txt", "stale");
    EXPECT_EQ(Raised([&] { (void)TestConnection(m_Inst.Context()); }),
              "Soubor testu spojení \"" + (m_Inst.DirOut / "test.txt").string() + "\" neexistuje");
}

TEST_F(TestConnectionFixture, ChecksBeforeAnythingRuns) {
    const struct {
        std::function<void(TScpInstallation&)> Change;
        std::function<std::string(const TScpInstallation&)> Message;
    } rows[] = {
        {[](auto& i) { fs::remove(i.DirOut / "lemo.ppk"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "lemo.ppk").string() + "\" neexistuje"; }},
        {[](auto& i) { i.Prenos.Pkf = "keys/lemo.ppk"; },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "keys/lemo.ppk").string() + "\" neexistuje"; }},
        {[](auto& i) { fs::remove(i.DirOut / "Nofile"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "Nofile").string() + "\" neexistuje"; }},
        {[](auto& i) { i.Prenos.TestSpojDir = "test"; },
         [](auto&) { return std::string("Nepřípustná hodnota \"test\" pro \"Adresář testu spojení\""); }},
        {[](auto& i) { i.Prenos.TestSpojDir = "/"; },
         [](auto&) { return std::string("Nepřípustná hodnota \"\" pro \"Adresář testu spojení\""); }},
        {[](auto& i) { fs::remove(i.ProgramDir / "ndlemo-cmd"); },
         [](auto& i) { return "Soubor \"" + (i.ProgramDir / "ndlemo-cmd").string() + "\" neexistuje"; }},
        {[](auto& i) { fs::remove(i.DirOut / "md5sum.exe"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "md5sum.exe").string() + "\" neexistuje"; }},
    };
    for (const auto& row : rows) {
        TTestTempDir dir("connection-checks");
        TScpInstallation inst(dir.Path(), m_Server);
        row.Change(inst);
        EXPECT_EQ(Raised([&] { (void)TestConnection(inst.Context()); }), row.Message(inst));
        EXPECT_TRUE(inst.Console.Tools.empty());
        EXPECT_TRUE(inst.LogLines.empty());
    }
}

// The test file is deleted in out before every test: a name that reaches outside out, or names a file of the
// installation, is refused before anything is deleted.
TEST_F(TestConnectionFixture, ATestFileNameThatWouldDeleteAnotherFileIsRefused) {
    m_Dir.WriteFile("program/NdLemo.ini", "[General]\r\n");
    for (const char* name : {"../NdLemo.ini", "lemo.ppk", "Nofile", "pscp.exe", ".", "zaloha/x"}) {
        m_Inst.Prenos.TestSpojFileName = name;
        EXPECT_EQ(Raised([&] { (void)TestConnection(m_Inst.Context()); }),
                  "Nepřípustná hodnota \"" + std::string(name) + "\" pro \"Jméno souboru testu spoj.\"");
    }
    EXPECT_EQ(m_Dir.ReadFile("program/NdLemo.ini"), "[General]\r\n");
    for (const char* file : {"lemo.ppk", "Nofile", "pscp.exe"})
        EXPECT_TRUE(fs::exists(m_Inst.DirOut / file)) << file;
    EXPECT_TRUE(m_Inst.Console.Tools.empty());
}

TEST_F(TestConnectionFixture, TheActionValidatesTheSettingsFirst) {
    const TransferSettings good = m_Inst.Prenos;
    m_Inst.Prenos.Host = "lemo.cz;reboot";
    m_Inst.Prenos.Port = "";
    std::vector<std::string> shown;
    auto show = [&](TRequestList& requests) {
        for (int i = 0; i < requests.Count(); ++i)
            shown.push_back(requests.GetText(i, 1));
    };
    EXPECT_FALSE(ExecuteTestSpojeni(m_Inst.Context(), show).has_value());
    EXPECT_EQ(shown, (std::vector<std::string>{"Nepřípustná hodnota \"lemo.cz;reboot\" pro \"Host\"",
                                               "Nepřípustná hodnota \"\" pro \"Port\""}));
    EXPECT_TRUE(m_Inst.Console.Tools.empty());

    shown.clear();
    m_Inst.Prenos = good;
    m_Server.Start();
    m_Dir.WriteFile("srv/test/test.txt", "OK\n");
    EXPECT_EQ(ExecuteTestSpojeni(m_Inst.Context(), show), std::optional<std::string>("OK\r\n"));
    EXPECT_TRUE(shown.empty());
}
