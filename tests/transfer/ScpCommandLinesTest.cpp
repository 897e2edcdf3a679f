#include "transfer/ScpCommandLines.h"

#include "TestRaised.h"

#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "transfer/LetterScramble.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ndlemo;
using ndlemo::test::Raised;
using ndlemo::test::TTestTempDir;

namespace {
TransferSettings Settings() {
    TransferSettings s;
    s.Host = "scp.lemo.cz";
    s.Port = "0022";
    s.OutDir = "/data/in/";
    s.User = "lemo";
    s.Pkf = "keys/lemo.ppk";
    s.TestSpojDir = "/test/";
    s.TestSpojFileName = "test.txt";
    return s;
}

std::string Refused(const std::string& value, const std::string& caption) {
    return "Nepřípustná hodnota \"" + value + "\" pro \"" + caption + "\"";
}

class ScpCommandLines : public ::testing::Test {
protected:
    void SetUp() override { m_Dir.WriteFile("N_1.zip", "zip"); }
    [[nodiscard]] std::string Out() const { return m_Dir.Path().string(); }

    TTestTempDir m_Dir;
    const std::string m_Pw = BuiltInScpPassword();
    const std::filesystem::path m_Cmd = "/opt/nd lemo/ndlemo-cmd";
};
} // namespace

TEST(Quoted, AddsOneQuoteOnEachSideAndEscapesNothing) {
    EXPECT_EQ(Quoted("a b"), "\"a b\"");
    EXPECT_EQ(Quoted(""), "\"\"");
    EXPECT_EQ(Quoted("say \"x\""), "\"say \"x\"\"");
}

TEST(NormalizeRemoteDir, RemovesOneTrailingSlashAndRefusesWhatIsNoAbsoluteDirectory) {
    const struct {
        const char* Setting;
        const char* Normalised; // empty when refused
        const char* Refused;    // the text the message quotes
    } rows[] = {
        {"/data/in/", "/data/in", ""},
        {"/data/in", "/data/in", ""},
        {"/data/in//", "/data/in/", ""},
        {"  /data/in/ ", "/data/in", ""},
        {"/a", "/a", ""},
        {"/", "", ""},
        {"//", "", "/"},
        {"", "", ""},
        {"data/in", "", "data/in"},
        {"/data/in;x", "", "/data/in;x"},
        {"/data/$(id)", "", "/data/$(id)"},
    };
    for (const auto& row : rows) {
        for (TPrenosValue which : {TPrenosValue::OutDir, TPrenosValue::TestSpojDir}) {
            const std::string caption(PrenosValueCaption(which));
            std::string normalised;
            const std::string message = Raised([&] { normalised = NormalizeRemoteDir(row.Setting, which); });
            if (*row.Normalised) {
                EXPECT_EQ(message, "") << row.Setting;
                EXPECT_EQ(normalised, row.Normalised) << row.Setting;
            } else {
                EXPECT_EQ(message, Refused(row.Refused, caption)) << row.Setting;
            }
        }
    }
    EXPECT_EQ(PrenosValueCaption(TPrenosValue::OutDir), "Vzdálený adresář");
    EXPECT_EQ(PrenosValueCaption(TPrenosValue::TestSpojDir), "Adresář testu spojení");
}

TEST_F(ScpCommandLines, ArgumentTextsCharacterForCharacter) {
    const TransferSettings s = Settings();
    EXPECT_EQ(PscpSendArgs(s, Out(), "N_1", "/data/in", "Nofile", s.Pkf),
              "-P 0022 -i lemo.ppk -pw " + m_Pw + " N_1.zip lemo@scp.lemo.cz:/data/in < Nofile");
    EXPECT_EQ(PlinkMd5Args(s, "N_1", "/data/in", "Nofile", s.Pkf),
              "-P 0022 -ssh -i lemo.ppk -pw " + m_Pw +
                  " lemo@scp.lemo.cz < Nofile \"cd /data/in; /usr/local/bin/md5sum N_1.zip\" > ./N_1.md5");
    EXPECT_EQ(PscpTestArgs(s, "test.txt", "/test", "Nofile", s.Pkf),
              "-P 0022 -i lemo.ppk -pw " + m_Pw + " lemo@scp.lemo.cz:/test/test.txt test.txt < Nofile");
    EXPECT_EQ(Md5CheckArgs("N_1"), "-c N_1.md5");
}

TEST_F(ScpCommandLines, TheRemoteCommandIsPieces16To21WithoutTheirQuotes) {
    const TransferSettings s = Settings();
    const std::string args = PlinkMd5Args(s, "N_1", "/data/in", "Nofile", s.Pkf);
    const size_t open = args.find('"');
    const size_t close = args.find('"', open + 1);
    ASSERT_NE(close, std::string::npos);
    EXPECT_EQ(args.substr(open + 1, close - open - 1), "cd /data/in; /usr/local/bin/md5sum N_1.zip");
    EXPECT_EQ(args.substr(close + 1), " > ./N_1.md5");
}

TEST_F(ScpCommandLines, WholeCommandLinesCharacterForCharacter) {
    const TransferSettings s = Settings();
    const std::string c = "\"/opt/nd lemo/ndlemo-cmd\" /c ";
    const std::string out = Out();
    EXPECT_EQ(UploadCommandLine(m_Cmd, Out(), s, "N_1", "/data/in"), c + "\"" + out +
                                                                         "/pscp.exe\" -P 0022 -i lemo.ppk -pw " + m_Pw +
                                                                         " N_1.zip lemo@scp.lemo.cz:/data/in < Nofile");
    EXPECT_EQ(ServerMd5CommandLine(m_Cmd, Out(), s, "N_1", "/data/in"),
              c + "\"\"" + out + "/plink.exe\" -P 0022 -ssh -i lemo.ppk -pw " + m_Pw +
                  " lemo@scp.lemo.cz < Nofile \"cd /data/in; /usr/local/bin/md5sum N_1.zip\" > ./N_1.md5\"");
    EXPECT_EQ(LocalCheckCommandLine(m_Cmd, Out(), "N_1"), c + "\"\"" + out + "/md5sum.exe\" -c N_1.md5\"");
    EXPECT_EQ(ConnectionTestCommandLine(m_Cmd, Out(), s, "/test"),
              c + "\"" + out + "/pscp.exe\" -P 0022 -i lemo.ppk -pw " + m_Pw +
                  " lemo@scp.lemo.cz:/test/test.txt test.txt < Nofile");
}

TEST_F(ScpCommandLines, OneTrailingSlashMakesNoDifferenceTwoLeaveOne) {
    TransferSettings s = Settings();
    auto lines = [&](const char* outDir) {
        const std::string dir = NormalizeRemoteDir(outDir, TPrenosValue::OutDir);
        return UploadCommandLine(m_Cmd, Out(), s, "N_1", dir) + "\n" +
               ServerMd5CommandLine(m_Cmd, Out(), s, "N_1", dir);
    };
    EXPECT_EQ(lines("/data/in/"), lines("/data/in"));
    const std::string twice = lines("/data/in//");
    EXPECT_NE(twice.find("lemo@scp.lemo.cz:/data/in/ < Nofile"), std::string::npos) << twice;
    EXPECT_NE(twice.find("\"cd /data/in/; /usr/local/bin"), std::string::npos) << twice;
    EXPECT_EQ(ConnectionTestCommandLine(m_Cmd, Out(), s, NormalizeRemoteDir("/test/", TPrenosValue::TestSpojDir)),
              ConnectionTestCommandLine(m_Cmd, Out(), s, NormalizeRemoteDir("/test", TPrenosValue::TestSpojDir)));
}

TEST_F(ScpCommandLines, TheUploadNeedsThePackageFile) {
    const TransferSettings s = Settings();
    EXPECT_EQ(Raised([&] { (void)PscpSendArgs(s, Out(), "N_2", "/data/in", "Nofile", s.Pkf); }),
              "Soubor \"" + (m_Dir.Path() / "N_2.zip").string() + "\" neexistuje");
}

// Settings that slipped past the validation (edited files, an older program) are refused again on the command line.
TEST_F(ScpCommandLines, EveryBuilderRefusesAValueThatWouldMeanSomething) {
    const struct {
        std::function<void(TransferSettings&)> Change;
        std::string Message;
    } rows[] = {
        {[](auto& s) { s.Host = "h;touch x"; }, Refused("h;touch x", "Host")},
        {[](auto& s) { s.Host = "a>b"; }, Refused("a>b", "Host")},
        {[](auto& s) { s.Host = ""; }, Refused("", "Host")},
        {[](auto& s) { s.Port = "22&"; }, Refused("22&", "Port")},
        {[](auto& s) { s.Port = "-22"; }, Refused("-22", "Port")},
        {[](auto& s) { s.User = "-proxycmd"; }, Refused("-proxycmd", "Uživatel")},
        {[](auto& s) { s.User = "u`id`"; }, Refused("u`id`", "Uživatel")},
        {[](auto& s) { s.User = "a b"; }, Refused("a b", "Uživatel")},
        {[](auto& s) { s.Pkf = "keys/"; }, Refused("keys/", "Jméno souboru priv. klíče")},
        {[](auto& s) { s.Pkf = "k|ey.ppk"; }, Refused("k|ey.ppk", "Jméno souboru priv. klíče")},
        {[](auto& s) { s.Pkf = "keys\\key.ppk"; }, Refused("keys\\key.ppk", "Jméno souboru priv. klíče")},
    };
    for (const auto& row : rows) {
        TransferSettings s = Settings();
        row.Change(s);
        EXPECT_EQ(Raised([&] { (void)UploadCommandLine(m_Cmd, Out(), s, "N_1", "/data/in"); }), row.Message);
        EXPECT_EQ(Raised([&] { (void)ServerMd5CommandLine(m_Cmd, Out(), s, "N_1", "/data/in"); }), row.Message);
        EXPECT_EQ(Raised([&] { (void)ConnectionTestCommandLine(m_Cmd, Out(), s, "/test"); }), row.Message);
    }
    TransferSettings s = Settings();
    for (const char* file : {"../NdLemo.ini", "a/b", ".", "..", "Nofile", "x;y", "-v"}) {
        s.TestSpojFileName = file;
        EXPECT_EQ(Raised([&] { (void)ConnectionTestCommandLine(m_Cmd, Out(), s, "/test"); }),
                  Refused(file, "Jméno souboru testu spoj."));
    }
    s = Settings();
    EXPECT_EQ(Raised([&] { (void)ServerMd5CommandLine(m_Cmd, Out(), s, "N_1", "/data;id"); }),
              Refused("/data;id", "Vzdálený adresář"));
    for (const char* name : {"", "N;1", "a/b", "N 1", " N"}) {
        const std::string message = "Chybné jméno \"" + std::string(name) + "\" přenášeného souboru";
        EXPECT_EQ(Raised([&] { (void)ServerMd5CommandLine(m_Cmd, Out(), s, name, "/data/in"); }), message);
        EXPECT_EQ(Raised([&] { (void)LocalCheckCommandLine(m_Cmd, Out(), name); }), message);
    }
}
