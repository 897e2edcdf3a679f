#pragma once

#include "transfer/TransferSettings.h"

#include <filesystem>

namespace ndlemo::test {

// Fresh settings with both sections of NdLemoPrenos.ini in programDir read into them.
inline TransferSettings LoadedFromPrenosIni(const std::filesystem::path& programDir) {
    TransferSettings settings;
    LoadPrenosIni(programDir, settings);
    LoadHttpIni(programDir, settings);
    return settings;
}

} // namespace ndlemo::test
