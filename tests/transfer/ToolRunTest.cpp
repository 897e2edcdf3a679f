#include "transfer/ToolRun.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
// Records what a tool showed; asks to end the tool once its output holds StopAt.
class TRecordingConsole : public TToolConsole {
public:
    void Open(std::string_view toolName) override { Events += "open " + std::string(toolName) + ";"; }
    void Output(platform::TProcessStream stream, std::string_view bytes) override {
        Shown += std::string(stream == platform::TProcessStream::Error ? "E:" : "O:") + std::string(bytes);
    }
    bool StopRequested() override { return !StopAt.empty() && Shown.find(StopAt) != std::string::npos; }
    void Close() override { Events += "close;"; }

    std::string Events;
    std::string Shown;
    std::string StopAt;
};

std::string ScriptLine(const TTestTempDir& dir, const std::string& body) {
    dir.WriteFile("tool", "#!/bin/sh\n" + body);
    fs::permissions(dir.Path() / "tool", fs::perms::owner_all);
    return "\"" + (dir.Path() / "tool").string() + "\"";
}
} // namespace

TEST(RunTool, TheReasonIsTheLastNonEmptyLineOfStandardError) {
    const struct {
        const char* Body;
        const char* Reason;
    } rows[] = {
        {"echo 'Looking up host' >&2; printf 'FATAL ERROR: Network error: Connection refused\\n\\n  \\n' >&2; exit 1",
         "FATAL ERROR: Network error: Connection refused"},
        {"echo only output; exit 1", ""},
        {"exit 3", ""},
        {"printf 'first\\rsecond' >&2; exit 1", "second"},
        {"printf '  Server refused our key  \\r\\n' >&2; exit 1", "Server refused our key"},
        {"printf 'P\\370\\355li\\232\\n' >&2; exit 1", "Příliš"}, // Windows-1250 bytes
        {"printf 'a\\033[1mb\\tc\\n' >&2; exit 1", "a [1mb c"},   // control characters become blanks
        // A question answered from the input file without an echo runs into the next message.
        {"printf 'Store key in cache? (y/n, Return cancels connection, i for more info) FATAL ERROR: Remote side "
         "unexpectedly closed network connection\\n' >&2; exit 1",
         "FATAL ERROR: Remote side unexpectedly closed network connection"},
        {"printf 'Continue? (y/n) ' >&2; exit 1", "Continue? (y/n)"},
    };
    TTestTempDir dir;
    for (const auto& row : rows) {
        TRecordingConsole console;
        const TToolResult result = RunTool(console, "pscp.exe", ScriptLine(dir, row.Body), dir.Path());
        EXPECT_NE(result.ExitCode, 0) << row.Body;
        EXPECT_EQ(result.Reason, row.Reason) << row.Body;
    }
}

TEST(RunTool, TheConsoleShowsTheToolItsOutputInOrderAndClosesAfterwards) {
    TTestTempDir dir;
    TRecordingConsole console;
    const TToolResult result = RunTool(console, "plink.exe",
                                       ScriptLine(dir, "printf 'P.zip |  50%%\\r'; sleep 0.1; echo question >&2; "
                                                       "sleep 0.1; printf 'P.zip | 100%%\\r\\n'"),
                                       dir.Path());
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Reason, "question");
    EXPECT_EQ(console.Events, "open plink.exe;close;");
    EXPECT_EQ(console.Shown, "O:P.zip |  50%\rE:question\nO:P.zip | 100%\r\n");
}

TEST(RunTool, ARunThatDoesNotStartCountsAsExitCodeOne) {
    TTestTempDir dir;
    TRecordingConsole console;
    const TToolResult result = RunTool(console, "pscp.exe", "\"/nonexistent/ndlemo-cmd\" /c x", dir.Path());
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Reason, "");
    EXPECT_EQ(console.Events, "open pscp.exe;close;");
}

TEST(RunTool, AToolEndedThroughTheConsoleFails) {
    TTestTempDir dir;
    TRecordingConsole console;
    console.StopAt = "waiting";
    const TToolResult result = RunTool(console, "pscp.exe", ScriptLine(dir, "echo waiting >&2; sleep 60"), dir.Path());
    EXPECT_NE(result.ExitCode, 0);
    EXPECT_EQ(result.Reason, "waiting");
    EXPECT_EQ(console.Events, "open pscp.exe;close;");
}
