#include "platform/RunProcess.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

using namespace ndlemo::platform;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
// Collects the output and can end the process after a number of waits.
class TRecorder : public TProcessObserver {
public:
    void OnOutput(TProcessStream stream, std::string_view bytes) override {
        (stream == TProcessStream::Output ? Out : Err) += bytes;
    }
    bool OnWait() override {
        ++Waits;
        return StopAfterOutput.empty() || Out.find(StopAfterOutput) == std::string::npos;
    }
    std::string Out, Err;
    std::string StopAfterOutput;
    int Waits = 0;
};

// A shell script in dir that receives the rest of the command line as $1.
fs::path Script(const TTestTempDir& dir, const std::string& name, const std::string& body) {
    dir.WriteFile(name, "#!/bin/sh\n" + body);
    fs::permissions(dir.Path() / name, fs::perms::owner_all);
    return dir.Path() / name;
}
} // namespace

TEST(RunProcess, GivesTheExitCodeTheRestOfTheLineAndTheCurrentDirectory) {
    TTestTempDir dir;
    fs::create_directory(dir.Path() / "work");
    const fs::path script = Script(dir, "show args", "printf '[%s]' \"$@\"; pwd; echo err >&2; exit 7\n");
    TRecorder recorder;
    const TRunResult result =
        RunProcess("\"" + script.string() + "\" /c \"a  b\" <x>", dir.Path() / "work", ShowNormal, &recorder);
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, 7);
    // The program reads the rest of its command line itself, so it gets it as it was written.
    EXPECT_EQ(recorder.Out, "[/c \"a  b\" <x>]" + (dir.Path() / "work").string() + "\n");
    EXPECT_EQ(recorder.Err, "err\n");
}

TEST(RunProcess, AProgramThatDoesNotStartIsReportedAsNotStarted) {
    TTestTempDir dir;
    dir.WriteFile("not-executable", "data");
    for (const std::string& line : {std::string("\"/nonexistent/program\" x"),
                                    "\"" + (dir.Path() / "not-executable").string() + "\"", std::string("")}) {
        const TRunResult result = RunProcess(line, dir.Path(), ShowNormal);
        EXPECT_FALSE(result.Started) << line;
        EXPECT_EQ(result.ExitCode, -1) << line;
    }
}

TEST(RunProcess, AChildReportsAWideExitCodeThroughTheStatusDescriptor) {
    TTestTempDir dir;
    const fs::path script = Script(dir, "wide", "printf 9009 >&\"$" + std::string(StatusFdVariable) + "\"; exit 49\n");
    const TRunResult result = RunProcess("\"" + script.string() + "\"", dir.Path(), ShowNormal);
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, 9009);
}

TEST(RunProcess, TheStandardInputIsEmptyAndNoOtherHandleIsInherited) {
    TTestTempDir dir;
    std::ofstream keptOpen(dir.Path() / "open-in-parent");
    ASSERT_TRUE(keptOpen.is_open());
    const fs::path script =
        Script(dir, "fds", "readlink /proc/self/fd/0; cat; ls -l /proc/self/fd | grep -c open-in-parent\n");
    TRecorder recorder;
    const TRunResult result = RunProcess("\"" + script.string() + "\"", dir.Path(), ShowNormal, &recorder);
    EXPECT_EQ(result.ExitCode, 1); // grep found nothing
    EXPECT_EQ(recorder.Out, "/dev/null\n0\n");
}

TEST(RunProcess, TheObserverEndsAHangingProcessWithEverythingItStarted) {
    TTestTempDir dir;
    const fs::path script = Script(dir, "hang", "sleep 60 & echo $! > sleeper.pid; echo started; wait\n");
    TRecorder recorder;
    recorder.StopAfterOutput = "started";
    const TRunResult result = RunProcess("\"" + script.string() + "\"", dir.Path(), ShowNormal, &recorder);
    EXPECT_TRUE(result.Started);
    EXPECT_EQ(result.ExitCode, SignalExitBase + SIGKILL);
    // The sleeper was in the process's session, so it was ended too (left at most as a zombie until reaped).
    const std::string pid = dir.ReadFile("sleeper.pid");
    ASSERT_FALSE(pid.empty());
    std::ifstream stat("/proc/" + pid.substr(0, pid.find('\n')) + "/stat");
    std::string fields;
    std::getline(stat, fields);
    if (!fields.empty()) {
        EXPECT_NE(fields.find(") Z"), std::string::npos) << fields;
    }
}

TEST(RunProcess, OutputAfterTheEndIsStillDelivered) {
    TTestTempDir dir;
    const fs::path script = Script(dir, "burst", "head -c 300000 /dev/zero | tr '\\0' x; echo; echo tail >&2\n");
    TRecorder recorder;
    const TRunResult result = RunProcess("\"" + script.string() + "\"", dir.Path(), ShowNormal, &recorder);
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(recorder.Out.size(), 300001u);
    EXPECT_EQ(recorder.Err, "tail\n");
}
