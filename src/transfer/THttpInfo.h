#pragma once

#include "support/TIniFile.h"
#include "transfer/HttpGet.h"
#include "transfer/TransferSettings.h"

#include <string>
#include <string_view>

namespace ndlemo {

// What the insurer publishes about the program in its information file, as the last fetch found it: the minimum
// required and the current version, the installation file and three texts. Nothing of it is written to disk.
class THttpInfo {
public:
    // Empties everything, then fetches the file that HttpAdresa and HttpInfoFileName name (joined as they are),
    // directly or, with ProxyUse, through the proxy of the settings, and takes its texts. Raises ESubroutineError:
    // "Nepřípustná hodnota "%s" pro "%s"" when the address or the file name is empty; "Nelze otevřít URL: "%s",
    // chyba: "%s"" with the address and the failing step when the fetch fails. Everything stays empty then.
    void LoadHttpInfo(const TransferSettings& settings);

    // Takes the texts from the bytes of an information file: Windows-1250 INI text, lines ended by CR LF, CR or LF.
    void Parse(std::string_view bytes);

    // The numbered lines "Radek01"... of a section, at most 99 and as many as its "PocetRadku" says, each trimmed,
    // joined by CR LF. Missing lines stay empty lines; no count, a count of 0 or less, or no number gives "".
    [[nodiscard]] std::string ReadInfoLines(const std::string& section) const;

    void Clear();

    std::string MinVerze;
    std::string Verze;
    std::string InstalSoubor;
    std::string InstalText;
    std::string InfoText;
    std::string KontaktyText;

    THttpLimits Limits;

private:
    TIniFile m_Ini = TIniFile::FromBytes("");
};

} // namespace ndlemo
