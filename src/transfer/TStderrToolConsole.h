#pragma once

#include "transfer/TToolConsole.h"

namespace ndlemo {

// The console without a window: the tool's output goes to standard error as it comes; nothing ends a tool.
class TStderrToolConsole : public TToolConsole {
public:
    void Open(std::string_view) override {}
    void Output(platform::TProcessStream stream, std::string_view bytes) override;
    bool StopRequested() override { return false; }
    void Close() override {}
};

} // namespace ndlemo
