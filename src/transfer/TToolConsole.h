#pragma once

#include "platform/RunProcess.h"

#include <string_view>

namespace ndlemo {

// Where a running tool shows itself: its name, its output as it comes, and a way for the user to end it. The window
// shows a small console of its own (transfer/ui/TfrmToolConsole); ndlemo-send passes the output to standard error.
class TToolConsole {
public:
    virtual ~TToolConsole() = default;
    // A tool starts.
    virtual void Open(std::string_view toolName) = 0;
    // Its standard output or error, in the order read.
    virtual void Output(platform::TProcessStream stream, std::string_view bytes) = 0;
    // Called often while the tool runs, so the window can keep painting; true once the user asked to end the tool.
    virtual bool StopRequested() = 0;
    // The tool has ended.
    virtual void Close() = 0;
};

} // namespace ndlemo
