#pragma once

#include "transfer/TransferSettings.h"

#include <array>
#include <filesystem>
#include <string>
#include <variant>

namespace ndlemo::test {

// Fresh settings with both sections of NdLemoPrenos.ini in programDir read into them.
inline TransferSettings LoadedFromPrenosIni(const std::filesystem::path& programDir) {
    TransferSettings settings;
    LoadPrenosIni(programDir, settings);
    LoadHttpIni(programDir, settings);
    return settings;
}

// Settings holding the seven SCP values as given (untrimmed), in the order of their rows.
inline TransferSettings WithScpValues(const std::array<std::string, 7>& values) {
    TransferSettings settings;
    for (size_t i = 0; i < values.size(); ++i)
        settings.*std::get<std::string TransferSettings::*>(PrenosSettingRows()[i].Member) = values[i];
    return settings;
}

inline TransferSettings WithHttpValues(const std::string& adresa, const std::string& infoFileName) {
    TransferSettings settings;
    settings.HttpAdresa = adresa;
    settings.HttpInfoFileName = infoFileName;
    return settings;
}

inline TransferSettings WithProxyValues(bool use, const std::string& host) {
    TransferSettings settings;
    settings.ProxyUse = use;
    settings.ProxyHost = host;
    return settings;
}

} // namespace ndlemo::test
