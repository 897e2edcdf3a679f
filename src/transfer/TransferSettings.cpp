#include "transfer/TransferSettings.h"

#include "support/FormatText.h"
#include "support/TIniFile.h"
#include "support/Utilities.h"
#include "transfer/PrenosValueRules.h"

#include <system_error>

namespace ndlemo {

namespace {
constexpr const char* SectionPrenos = "Prenos";
constexpr const char* SectionHttp = "Http";
constexpr const char* SectionProxy = "General";

std::string ReadTrimmed(const TIniFile& ini, const char* section, const char* key) {
    return Trim(ini.ReadString(section, key, ""));
}

void WriteTrimmed(TIniFile& ini, const char* section, const char* key, const std::string& value) {
    ini.WriteString(section, key, Trim(value));
}
} // namespace

std::filesystem::path PrenosIniPath(const std::filesystem::path& programDir) {
    return programDir / PrenosIniFileName;
}

std::filesystem::path ProxyIniPath(const std::filesystem::path& programDir) {
    return programDir / ProxyIniFileName;
}

void LoadPrenosIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    TIniFile ini(PrenosIniPath(programDir));
    settings.Host = ReadTrimmed(ini, SectionPrenos, "Host");
    settings.Port = ReadTrimmed(ini, SectionPrenos, "Port");
    settings.OutDir = ReadTrimmed(ini, SectionPrenos, "OutDir");
    settings.User = ReadTrimmed(ini, SectionPrenos, "User");
    settings.Pkf = ReadTrimmed(ini, SectionPrenos, "Pkf");
    settings.TestSpojDir = ReadTrimmed(ini, SectionPrenos, "TestSpojDir");
    settings.TestSpojFileName = ReadTrimmed(ini, SectionPrenos, "TestSpojFileName");
}

void SavePrenosIni(const std::filesystem::path& programDir, const std::string& host, const std::string& port,
                   const std::string& outDir, const std::string& user, const std::string& pkf,
                   const std::string& testSpojDir, const std::string& testSpojFileName) {
    TIniFile ini(PrenosIniPath(programDir));
    WriteTrimmed(ini, SectionPrenos, "Host", host);
    WriteTrimmed(ini, SectionPrenos, "Port", port);
    WriteTrimmed(ini, SectionPrenos, "OutDir", outDir);
    WriteTrimmed(ini, SectionPrenos, "User", user);
    WriteTrimmed(ini, SectionPrenos, "Pkf", pkf);
    WriteTrimmed(ini, SectionPrenos, "TestSpojDir", testSpojDir);
    WriteTrimmed(ini, SectionPrenos, "TestSpojFileName", testSpojFileName);
}

void LoadHttpIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    TIniFile ini(PrenosIniPath(programDir));
    settings.HttpAdresa = ReadTrimmed(ini, SectionHttp, "Adresa");
    settings.HttpInfoFileName = ReadTrimmed(ini, SectionHttp, "InfoFileName");
}

void SaveHttpIni(const std::filesystem::path& programDir, const std::string& adresa, const std::string& infoFileName) {
    TIniFile ini(PrenosIniPath(programDir));
    WriteTrimmed(ini, SectionHttp, "Adresa", adresa);
    WriteTrimmed(ini, SectionHttp, "InfoFileName", infoFileName);
}

void LoadProxyIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    std::error_code ec;
    if (!std::filesystem::exists(ProxyIniPath(programDir), ec))
        return;
    TIniFile ini(ProxyIniPath(programDir));
    settings.ProxyUse = ini.ReadInteger(SectionProxy, "Use", 0) == 1;
    settings.ProxyHost = ReadTrimmed(ini, SectionProxy, "Host");
}

void SaveProxyIni(const std::filesystem::path& programDir, bool use, const std::string& host) {
    TIniFile ini(ProxyIniPath(programDir));
    ini.WriteInteger(SectionProxy, "Use", use ? 1 : 0);
    WriteTrimmed(ini, SectionProxy, "Host", host);
}

bool ContainsSpace(std::string_view text) {
    return Trim(text).find_first_of(" \t") != std::string::npos;
}

void ValidatePrenosSettings(const std::string& host, const std::string& port, const std::string& outDir,
                            const std::string& user, const std::string& pkf, const std::string& testSpojDir,
                            const std::string& testSpojFileName, TRequestList& requests) {
    const struct {
        const std::string& Value;
        const char* Caption;
        TPrenosValue Kind;
    } values[] = {
        {host, "Host", TPrenosValue::Host},
        {port, "Port", TPrenosValue::Port},
        {outDir, "Vzdálený adresář", TPrenosValue::OutDir},
        {user, "Uživatel", TPrenosValue::User},
        {pkf, "Jméno souboru priv. klíče", TPrenosValue::Pkf},
        {testSpojDir, "Adresář testu spojení", TPrenosValue::TestSpojDir},
        {testSpojFileName, "Jméno souboru testu spoj.", TPrenosValue::TestSpojFileName},
    };
    for (const auto& v : values) {
        if (Trim(v.Value).empty() || ContainsSpace(v.Value) || !IsAcceptablePrenosValue(v.Kind, v.Value))
            requests.AddRequest(256, FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", v.Value, v.Caption), true);
    }
}

} // namespace ndlemo
