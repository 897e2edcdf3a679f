#include "transfer/TStderrToolConsole.h"

#include <cstdio>

namespace ndlemo {

void TStderrToolConsole::Output(platform::TProcessStream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

} // namespace ndlemo
