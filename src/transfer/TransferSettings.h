#pragma once

#include "support/TRequestList.h"
#include "support/TSettingRow.h"

#include <filesystem>
#include <span>
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

// The SCP settings that reach the tool command lines, each with its own rule (IsAcceptablePrenosValue): every
// one must be filled and hold no blank. None for the settings that reach no command line.
enum class TPrenosValue { None, Host, Port, OutDir, User, Pkf, TestSpojDir, TestSpojFileName };

using TTransferSettingRow = TSettingRow<TransferSettings, TPrenosValue>;

// The three groups, each in the order of its file: section "Prenos" and section "Http" of NdLemoPrenos.ini,
// and NdLemoProxy.ini.
[[nodiscard]] std::span<const TTransferSettingRow> PrenosSettingRows();
[[nodiscard]] std::span<const TTransferSettingRow> HttpSettingRows();
[[nodiscard]] std::span<const TTransferSettingRow> ProxySettingRows();

inline constexpr const char* PrenosIniFileName = "NdLemoPrenos.ini";
inline constexpr const char* ProxyIniFileName = "NdLemoProxy.ini";

[[nodiscard]] std::filesystem::path PrenosIniPath(const std::filesystem::path& programDir);
[[nodiscard]] std::filesystem::path ProxyIniPath(const std::filesystem::path& programDir);

// Each Load reads its group into the settings (a missing file or key reads as empty) and raises
// ESubroutineError when the file exists but cannot be read. Each Save writes its group's values, trimmed,
// in one replacement of the file, which stays as it was when the save fails.

// Section "Prenos" of NdLemoPrenos.ini.
void LoadPrenosIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SavePrenosIni(const std::filesystem::path& programDir, const TransferSettings& values);

// Section "Http" of NdLemoPrenos.ini.
void LoadHttpIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SaveHttpIni(const std::filesystem::path& programDir, const TransferSettings& values);

// NdLemoProxy.ini; without the file the proxy settings keep their values. Only the flag and the host are
// written, never the user name or password.
void LoadProxyIni(const std::filesystem::path& programDir, TransferSettings& settings);
void SaveProxyIni(const std::filesystem::path& programDir, const TransferSettings& values);

// One level-256 request per SCP value (section "Prenos") that is empty after trimming, holds a blank or breaks
// the rules of IsAcceptablePrenosValue, with the value as it is held (untrimmed) and its caption, in the order
// of the rows; raises nothing.
void ValidatePrenosSettings(const TransferSettings& settings, TRequestList& requests);
// The caption under which an SCP value is refused ("Host", "Vzdálený adresář"...).
[[nodiscard]] std::string_view PrenosValueCaption(TPrenosValue value);

// The texts of a group that its file could not hold, one request each with the field's name.
void ValidateStorableTexts(std::span<const TTransferSettingRow> rows, const TransferSettings& settings,
                           TRequestList& requests);

// Whether the trimmed text holds a blank (a space or a tab: either would split a command-line argument).
[[nodiscard]] bool ContainsSpace(std::string_view text);

} // namespace ndlemo
