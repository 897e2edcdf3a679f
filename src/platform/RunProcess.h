#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace ndlemo::platform {

// The window show state every caller passes (a console of the tool's own, shown normally).
inline constexpr int ShowNormal = 1;

enum class TProcessStream { Output, Error };

// What a caller of RunProcess sees while the process runs.
class TProcessObserver {
public:
    virtual ~TProcessObserver() = default;
    // Bytes of the process's standard output or error, in the order they were read.
    virtual void OnOutput(TProcessStream stream, std::string_view bytes) = 0;
    // Called after output and at least every PollMilliseconds while the process runs; false ends the process
    // with everything it started. The wait itself has no time limit.
    virtual bool OnWait() = 0;
};

struct TRunResult {
    bool Started = false;
    // -1 when the process did not start or its exit code cannot be read.
    int32_t ExitCode = -1;
};

inline constexpr int PollMilliseconds = 50;
// The exit code of a process ended by a signal (an end requested through the observer among them).
inline constexpr int32_t SignalExitBase = 128;
// Names the descriptor through which a child can report an exit code wider than the system's 8 bits (decimal
// text, written before it ends); the command interpreter reports 9009 this way.
inline constexpr const char* StatusFdVariable = "NDLEMO_STATUS_FD";

// Runs a command line and waits until the process ends, without a time limit.
//
// The first word of the command line names the program (see SplitProgramName); a Windows program reads its whole
// command line itself, so here the program gets the rest of the line, exactly as written, as its one argument.
// The process runs in currentDir, in a session of its own (no terminal: a tool that asks reads its answer from its
// standard input, which is empty unless its command line redirects it), with the program's environment.
// Its standard output and error go to the observer, or to this program's own when there is none.
// showState is the window show state of the original platform; a console here has no window of its own.
[[nodiscard]] TRunResult RunProcess(std::string_view commandLine, const std::filesystem::path& currentDir,
                                    int showState, TProcessObserver* observer = nullptr);

} // namespace ndlemo::platform
