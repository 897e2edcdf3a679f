#include "transfer/TransferSettings.h"

#include "support/FormatText.h"
#include "support/TIniFile.h"
#include "support/TextRules.h"
#include "transfer/PrenosValueRules.h"

#include <array>
#include <system_error>

namespace ndlemo {

namespace {
using S = TransferSettings;
using R = TPrenosValue;
using K = TSettingKind;
using F = TInputFilter;
using E = TEditState;

const std::array<TTransferSettingRow, 7> PrenosRows = {{
    {"Prenos", "Host", K::Text, &S::Host, "", {"cedtNetHost", "Host", "Host"}, R::Host},
    {"Prenos", "Port", K::Text, &S::Port, "", {"cedtNetPort", "Port", "Port", 8, F::Digits}, R::Port},
    {"Prenos", "OutDir", K::Text, &S::OutDir, "", {"cedtNetDir", "Vzdálený adresář", "Vzdálený adresář"}, R::OutDir},
    {"Prenos", "User", K::Text, &S::User, "", {"cedtNetUser", "Uživatel", "Uživatel"}, R::User},
    {"Prenos",
     "Pkf",
     K::Text,
     &S::Pkf,
     "",
     {"cedtNetPkf", "Jméno souboru priv. klíče", "Jméno souboru priv. klíče"},
     R::Pkf},
    {"Prenos",
     "TestSpojDir",
     K::Text,
     &S::TestSpojDir,
     "",
     {"cedtTestSpojDir", "Adresář testu spojení ", "Adresář testu spojení"},
     R::TestSpojDir},
    {"Prenos",
     "TestSpojFileName",
     K::Text,
     &S::TestSpojFileName,
     "",
     {"cedtTestSpojFileName", "Jméno souboru testu spoj.", "Jméno souboru testu spoj."},
     R::TestSpojFileName},
}};

const std::array<TTransferSettingRow, 2> HttpRows = {{
    {"Http", "Adresa", K::Text, &S::HttpAdresa, "", {"cedtHttpAdresa", "Http adresa", "Http adresa"}},
    {"Http",
     "InfoFileName",
     K::Text,
     &S::HttpInfoFileName,
     "",
     {"cedtHttpInfoFileName", "Http jméno souboru ", "Http jméno souboru"}},
}};

const std::array<TTransferSettingRow, 2> ProxyRows = {{
    {"General",
     "Use",
     K::OneZero,
     &S::ProxyUse,
     "0",
     {"chbProxy", "přes proxy", "přes proxy", 0, F::None, E::Editable}},
    {"General", "Host", K::Text, &S::ProxyHost, "", {"cedtProxy", "Proxy", "Proxy", 0, F::None, E::Editable}},
}};

void Load(const std::filesystem::path& file, std::span<const TTransferSettingRow> rows, TransferSettings& settings) {
    LoadSettings(TIniFile(file), rows, settings);
}

void Save(const std::filesystem::path& file, std::span<const TTransferSettingRow> rows,
          const TransferSettings& values) {
    TIniFile ini(file);
    StoreSettings(ini, rows, values);
    ini.UpdateFile();
}
} // namespace

std::span<const TTransferSettingRow> PrenosSettingRows() {
    return PrenosRows;
}

std::span<const TTransferSettingRow> HttpSettingRows() {
    return HttpRows;
}

std::span<const TTransferSettingRow> ProxySettingRows() {
    return ProxyRows;
}

std::filesystem::path PrenosIniPath(const std::filesystem::path& programDir) {
    return programDir / PrenosIniFileName;
}

std::filesystem::path ProxyIniPath(const std::filesystem::path& programDir) {
    return programDir / ProxyIniFileName;
}

void LoadPrenosIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    Load(PrenosIniPath(programDir), PrenosRows, settings);
}

void SavePrenosIni(const std::filesystem::path& programDir, const TransferSettings& values) {
    Save(PrenosIniPath(programDir), PrenosRows, values);
}

void LoadHttpIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    Load(PrenosIniPath(programDir), HttpRows, settings);
}

void SaveHttpIni(const std::filesystem::path& programDir, const TransferSettings& values) {
    Save(PrenosIniPath(programDir), HttpRows, values);
}

void LoadProxyIni(const std::filesystem::path& programDir, TransferSettings& settings) {
    std::error_code ec;
    if (!std::filesystem::exists(ProxyIniPath(programDir), ec))
        return;
    Load(ProxyIniPath(programDir), ProxyRows, settings);
}

void SaveProxyIni(const std::filesystem::path& programDir, const TransferSettings& values) {
    Save(ProxyIniPath(programDir), ProxyRows, values);
}

std::string_view PrenosValueCaption(TPrenosValue value) {
    for (const TTransferSettingRow& row : PrenosRows) {
        if (row.Rule == value)
            return row.Field.DisplayName;
    }
    return {};
}

bool ContainsSpace(std::string_view text) {
    return TrimWhitespace(text).find_first_of(" \t") != std::string::npos;
}

void ValidatePrenosSettings(const TransferSettings& settings, TRequestList& requests) {
    for (const TTransferSettingRow& row : PrenosRows) {
        const std::string value = ValueText(row, settings);
        if (!CheckStorable(row, value, requests))
            continue;
        if (TrimWhitespace(value).empty() || ContainsSpace(value) || !IsAcceptablePrenosValue(row.Rule, value))
            requests.AddRequest(256, FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", value, row.Field.DisplayName),
                                true);
    }
}

void ValidateStorableTexts(std::span<const TTransferSettingRow> rows, const TransferSettings& settings,
                           TRequestList& requests) {
    for (const TTransferSettingRow& row : rows) {
        if (row.Kind == TSettingKind::Text)
            (void)CheckStorable(row, ValueText(row, settings), requests);
    }
}

} // namespace ndlemo
