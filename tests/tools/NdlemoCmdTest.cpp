// Runs the built command interpreter ndlemo-cmd on the tool command lines, through the process runner, with stand-ins
// that show what a tool received.

#include "TestData.h"
#include "TestTempDir.h"
#include "platform/RunProcess.h"
#include "transfer/LetterScramble.h"
#include "transfer/ScpCommandLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
class TCaptured : public platform::TProcessObserver {
public:
    void OnOutput(platform::TProcessStream stream, std::string_view bytes) override {
        (stream == platform::TProcessStream::Output ? Out : Err) += bytes;
    }
    bool OnWait() override { return true; }
    std::string Out, Err;
};

// A stand-in tool: prints each argument in brackets, one per line, then "stdin:" and what it read.
constexpr const char* EchoTool = "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\nprintf 'stdin:'; cat\n";

class NdlemoCmd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(m_Dir.Path() / "out");
        m_Out = m_Dir.Path() / "out";
    }
    void Tool(const std::string& name, const std::string& script) {
        m_Dir.WriteFile("out/" + name, script);
        fs::permissions(m_Out / name, fs::perms::owner_all);
    }
    platform::TRunResult Run(const std::string& line) {
        m_Captured = TCaptured();
        return platform::RunProcess(line, m_Out, platform::ShowNormal, &m_Captured);
    }
    [[nodiscard]] std::string Interpreter() const { return std::string(NDLEMO_BIN_DIR) + "/ndlemo-cmd"; }
    [[nodiscard]] std::string Prefix() const { return Quoted(Interpreter()) + " /c "; }

    TTestTempDir m_Dir;
    fs::path m_Out;
    TCaptured m_Captured;
};
} // namespace

TEST_F(NdlemoCmd, RunsThePlinkLineWithItsRedirectionsAndTheRemoteCommandAsOneArgument) {
    Tool("plink.exe", EchoTool);
    m_Dir.WriteFile("out/Nofile", "y\n");
    TransferSettings s;
    s.Host = "127.0.0.1";
    s.Port = "2222";
    s.User = "lemo";
    s.Pkf = "keys/key.ppk";
    const std::string line = ServerMd5CommandLine(Interpreter(), m_Out, s, "P_1", "/data/in");
    const platform::TRunResult result = Run(line);
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, 0) << m_Captured.Err;
    // Standard output went into the file the line names, standard input came from Nofile.
    EXPECT_EQ(m_Captured.Out, "");
    EXPECT_EQ(m_Dir.ReadFile("out/P_1.md5"), "[-P]\n[2222]\n[-ssh]\n[-i]\n[key.ppk]\n[-pw]\n[" +
                                                 std::string(BuiltInScpPassword()) +
                                                 "]\n[lemo@127.0.0.1]\n[cd /data/in; /usr/local/bin/md5sum P_1.zip]\n"
                                                 "stdin:y\n");
}

TEST_F(NdlemoCmd, RunsTheMd5sumLineAndPassesTheToolsExitCode) {
    ASSERT_EQ(symlink("/usr/bin/md5sum", (m_Out / "md5sum.exe").c_str()), 0);
    m_Dir.WriteFile("out/P_1.zip", "package");
    const std::string line = LocalCheckCommandLine(Interpreter(), m_Out, "P_1");
    EXPECT_EQ(line, Prefix() + "\"\"" + (m_Out / "md5sum.exe").string() + "\" -c P_1.md5\"");

    m_Dir.WriteFile("out/P_1.md5", "00000000000000000000000000000000  P_1.zip\n");
    EXPECT_EQ(Run(line).ExitCode, 1) << m_Captured.Out;
    EXPECT_EQ(m_Captured.Out, "P_1.zip: FAILED\n");

    m_Dir.WriteFile("out/P_1.md5", "efe90a8e604a7c840e88d03a67f6b7d8  P_1.zip\n");
    EXPECT_EQ(Run(line).ExitCode, 0) << m_Captured.Err;
    EXPECT_EQ(m_Captured.Out, "P_1.zip: OK\n");
}

TEST_F(NdlemoCmd, PipesSeparatorsAndVariablesReachTheToolAsPlainText) {
    Tool("tool", EchoTool);
    const struct {
        const char* Command;
        const char* Args;
    } rows[] = {
        {"tool a&b \"c|d\" e;f", "[a&b]\n[c|d]\n[e;f]\n"},
        {"tool x & touch pwned", "[x]\n[&]\n[touch]\n[pwned]\n"},
        {"tool x | touch pwned ; touch pwned && touch pwned",
         "[x]\n[|]\n[touch]\n[pwned]\n[;]\n[touch]\n[pwned]\n[&&]\n"
         "[touch]\n[pwned]\n"},
        {"tool $(touch pwned) `touch pwned` %PATH% $HOME *", "[$(touch]\n[pwned)]\n[`touch]\n[pwned`]\n[%PATH%]\n"
                                                             "[$HOME]\n[*]\n"},
        {"\"\"tool\" \"a > b\" \"<c\"\"", "[a > b]\n[<c]\n"},
    };
    for (const auto& row : rows) {
        const platform::TRunResult result = Run(Prefix() + row.Command);
        EXPECT_EQ(result.ExitCode, 0) << row.Command << m_Captured.Err;
        EXPECT_EQ(m_Captured.Out, std::string(row.Args) + "stdin:") << row.Command;
        EXPECT_FALSE(fs::exists(m_Out / "pwned")) << row.Command;
    }
}

TEST_F(NdlemoCmd, RedirectionsAreRelativeToTheCurrentDirectory) {
    Tool("tool", EchoTool);
    m_Dir.WriteFile("out/input file", "from file");
    const platform::TRunResult result = Run(Prefix() + "tool one < \"input file\" > result.txt");
    EXPECT_EQ(result.ExitCode, 0) << m_Captured.Err;
    EXPECT_EQ(m_Dir.ReadFile("out/result.txt"), "[one]\nstdin:from file");
}

TEST_F(NdlemoCmd, AProgramThatCannotStartGives9009) {
    m_Dir.WriteFile("out/P_1.md5", "");
    // The interpreter starts, so the run counts as started; its own exit code tells the caller.
    const platform::TRunResult result = Run(LocalCheckCommandLine(Interpreter(), m_Out, "P_1"));
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, 9009);
    EXPECT_EQ(m_Captured.Err, "'" + (m_Out / "md5sum.exe").string() +
                                  "' není názvem vnitřního ani vnějšího příkazu, spustitelného programu nebo "
                                  "dávkového souboru.\n");

    m_Dir.WriteFile("out/not-executable", "");
    EXPECT_EQ(Run(Prefix() + "not-executable").ExitCode, 9009);
    EXPECT_NE(m_Captured.Err.find("not-executable"), std::string::npos);
}

TEST_F(NdlemoCmd, ARedirectionThatCannotBeOpenedRunsNothing) {
    Tool("tool", "#!/bin/sh\ntouch ran\n");
    const struct {
        const char* Command;
        int Exit;
    } rows[] = {
        {"tool < missing-file", 1},
        {"tool > missing-dir/out", 1},
        {"tool >", 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Run(Prefix() + row.Command).ExitCode, row.Exit) << row.Command;
        EXPECT_FALSE(m_Captured.Err.empty()) << row.Command;
        EXPECT_FALSE(fs::exists(m_Out / "ran")) << row.Command;
    }
}

TEST_F(NdlemoCmd, WithoutSlashCItRefusesToRun) {
    Tool("tool", "#!/bin/sh\ntouch ran\n");
    for (const char* rest : {"", "tool", "/x tool", "/ctool"}) {
        EXPECT_EQ(Run(Quoted(Interpreter()) + " " + rest).ExitCode, 1) << rest;
        EXPECT_FALSE(fs::exists(m_Out / "ran")) << rest;
    }
    EXPECT_EQ(Run(Quoted(Interpreter()) + " /C tool").ExitCode, 0);
    EXPECT_TRUE(fs::exists(m_Out / "ran"));
}
