#pragma once

#include "transfer/TToolConsole.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ndlemo {

struct TToolResult {
    // A run that did not start counts as exit code 1.
    int32_t ExitCode = 1;
    // The last non-empty line the tool wrote on its standard error ("FATAL ERROR: Connection refused"), empty when
    // it wrote none; it fills the parentheses of the tool-failure messages.
    std::string Reason;
};

// Runs one tool command line with currentDir as current directory, showing it in the console under toolName while
// it runs, and waits without a time limit. A tool the user ends through the console fails with a non-zero code.
[[nodiscard]] TToolResult RunTool(TToolConsole& console, std::string_view toolName, std::string_view commandLine,
                                  const std::filesystem::path& currentDir);

} // namespace ndlemo
