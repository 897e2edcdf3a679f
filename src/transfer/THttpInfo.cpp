#include "transfer/THttpInfo.h"

#include "support/ESubroutineError.h"
#include "support/TextRules.h"

#include <algorithm>
#include <cstdio>

namespace ndlemo {

namespace {
constexpr long long MaxInfoLines = 99;
} // namespace

void THttpInfo::Clear() {
    m_Ini = TIniFile::FromBytes("");
    MinVerze.clear();
    Verze.clear();
    InstalSoubor.clear();
    InstalText.clear();
    InfoText.clear();
    KontaktyText.clear();
}

void THttpInfo::LoadHttpInfo(const TransferSettings& settings) {
    Clear();
    if (TrimWhitespace(settings.HttpAdresa).empty() || TrimWhitespace(settings.HttpInfoFileName).empty())
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", settings.HttpAdresa + settings.HttpInfoFileName,
                               "Http adresa/Http jméno souboru");
    const std::string address = settings.HttpAdresa + settings.HttpInfoFileName;
    THttpGetResult result;
    if (settings.ProxyUse) {
        const TUrlParts parts = SplitUrl(address);
        result = HttpGetViaProxy(parts.Server, parts.Object, settings.ProxyHost, settings.ProxyUser,
                                 settings.ProxyPassword, Limits);
    } else {
        result = HttpGetDirect(address, Limits);
    }
    if (!result.Succeeded)
        throw ESubroutineError("Nelze otevřít URL: \"%s\", chyba: \"%s\"", address, result.Error);
    Parse(result.Body);
}

void THttpInfo::Parse(std::string_view bytes) {
    Clear();
    m_Ini = TIniFile::FromBytes(bytes);
    MinVerze = TrimWhitespace(m_Ini.ReadString("General", "MinVerze", ""));
    Verze = TrimWhitespace(m_Ini.ReadString("AktualniVerze", "Verze", ""));
    InstalSoubor = TrimWhitespace(m_Ini.ReadString("AktualniVerze", "InstalSoubor", ""));
    InstalText = ReadInfoLines("AktualniVerze");
    InfoText = ReadInfoLines("Info");
    KontaktyText = ReadInfoLines("Kontakty");
}

std::string THttpInfo::ReadInfoLines(const std::string& section) const {
    const long long count = std::min(m_Ini.ReadInteger(section, "PocetRadku", 0), MaxInfoLines);
    std::string text;
    for (long long i = 1; i <= count; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "Radek%02lld", i);
        text += TrimWhitespace(m_Ini.ReadString(section, key, "")) + "\r\n";
    }
    if (text.size() > 1)
        text.resize(text.size() - 2);
    return text;
}

} // namespace ndlemo
