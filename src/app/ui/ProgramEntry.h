#pragma once

#include <filesystem>

namespace ndlemo {

class TStartupUi;

struct TProgramOptions {
    std::filesystem::path ProgramDir;  // settings, log and working directories
    std::filesystem::path ProgramFile; // the executable
    std::filesystem::path LockDir;     // where the single-instance lock lives; empty for the system's place
    bool RunEventLoop = true;          // false: return once the window is up (for tests)
};

// The program: refuses a second instance, creates the window, runs the start-up and the event loop, and
// shuts down. Needs a QApplication. Returns the process exit code.
int RunProgram(const TProgramOptions& options);

} // namespace ndlemo
