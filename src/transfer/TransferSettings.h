#pragma once

#include "support/TRequestList.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ndlemo {

// The SCP, information-file and proxy settings the main window keeps for the run. All texts are trimmed.
// The proxy user and password are never stored in a file; they live here until the program ends.
struct TransferSettings {
    std::string Host;
    std::string Port;
    std::string OutDir;
    std::string User;
    std::string Pkf;
    std::string TestSpojDir;
    std::string TestSpojFileName;

    std::string HttpAdresa;
    std::string HttpInfoFileName;

    bool ProxyUse = false;
    std::string ProxyHost;
    std::string ProxyUser;
    std::string ProxyPassword;
};

inline constexpr const char* PrenosIniFileName = "NdLemoPrenos.ini";
inline constexpr const char* ProxyIniFileName = "NdLemoProxy.ini";

[[nodiscard]] std::filesystem::path PrenosIniPath(const std::filesystem::path& programDir);
[[nodiscard]] std::filesystem::path ProxyIniPath(const std::filesystem::path& programDir);

// Section "Prenos" of NdLemoPrenos.ini. A missing file or key reads as empty.
void LoadPrenosIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SavePrenosIni(const std::filesystem::path& programDir, const std::string& host, const std::string& port,
                   const std::string& outDir, const std::string& user, const std::string& pkf,
                   const std::string& testSpojDir, const std::string& testSpojFileName);

// Section "Http" of NdLemoPrenos.ini.
void LoadHttpIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SaveHttpIni(const std::filesystem::path& programDir, const std::string& adresa, const std::string& infoFileName);

// NdLemoProxy.ini; without the file the proxy settings keep their values. Only the flag and the host are
// written, never the user name or password.
void LoadProxyIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SaveProxyIni(const std::filesystem::path& programDir, bool use, const std::string& host);

// One level-256 request per SCP value that is empty after trimming, holds a blank inside or breaks the rules of
// IsAcceptablePrenosValue; raises nothing.
void ValidatePrenosSettings(const std::string& host, const std::string& port, const std::string& outDir,
                            const std::string& user, const std::string& pkf, const std::string& testSpojDir,
                            const std::string& testSpojFileName, TRequestList& requests);
inline void ValidatePrenosSettings(const TransferSettings& s, TRequestList& requests) {
    ValidatePrenosSettings(s.Host, s.Port, s.OutDir, s.User, s.Pkf, s.TestSpojDir, s.TestSpojFileName, requests);
}

// Whether the trimmed text holds a blank (a space or a tab: either would split a command-line argument).
[[nodiscard]] bool ContainsSpace(std::string_view text);

} // namespace ndlemo
