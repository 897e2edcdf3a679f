#include "app/AppSettings.h"

#include "support/FormatText.h"
#include "support/TIniFile.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

#include <climits>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
constexpr const char* General = "General";
constexpr const char* UploadLemo = "UploadLemo";
constexpr const char* FakturaInfo = "FakturaInfo";

constexpr std::string_view BadValue = "Nepřípustná hodnota \"%s\" pro \"%s\"";
constexpr std::string_view NoDirectory = "Adresář \"%s\" neexistuje.";

bool DirectoryExists(const std::string& dir) {
    std::error_code ec;
    return fs::is_directory(fs::path(dir), ec);
}

void AddError(TRequestList& requests, const std::string& text) {
    requests.AddRequest(256, text, true);
}

void ValidatePracoviste(const std::string& value, TRequestList& requests) {
    const std::string name = "Pracoviště";
    const size_t length = Utf8Length(value);
    if (length != 4) {
        AddError(requests, FormatText("Délka hodnoty \"%s\" musí být %d a ne %d", name, 4, length));
        return;
    }
    bool hasDigit = false;
    for (char c : value) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(c >= 'A' && c <= 'Z')) {
            AddError(requests, FormatText("Hodnota \"%s\" smí obsahovat pouze znaky \"%s\"", name, "A..Z, 0..9"));
            return;
        }
        hasDigit = hasDigit || digit;
    }
    if (!hasDigit)
        AddError(requests, FormatText("Hodnota \"%s\" musí obsahovat %s", name, "alespoň jeden znak 0..9"));
}

// The archive paths are built by appending to this root, so it must not end with a separator.
bool EndsWithSeparator(const std::string& dir) {
    return !dir.empty() && (dir.back() == '\\' || dir.back() == '/');
}
} // namespace

int TypPrenosuIndex(std::string_view code) {
    for (size_t i = 0; i < TypPrenosuCodes.size(); ++i) {
        if (TypPrenosuCodes[i] == code)
            return static_cast<int>(i);
    }
    return -1;
}

fs::path AppIniPath(const fs::path& programDir, const fs::path& programFileName) {
    fs::path name = programFileName.filename();
    name.replace_extension(".ini");
    return programDir / name;
}

AppSettings LoadAppIni(const fs::path& iniFile) {
    const TIniFile ini(iniFile);
    AppSettings s;
    s.Pracoviste = ini.ReadString(General, "Pracoviste", "");
    s.DirDavky = ini.ReadString(General, "DirDavky", "");
    s.DirOdeslane = ini.ReadString(General, "DirOdeslane", "");
    const long long interval = ini.ReadInteger(General, "IntSplatnosti", 0);
    s.IntSplatnosti = interval < INT_MIN || interval > INT_MAX ? 0 : static_cast<int>(interval);
    s.DefaultICZ = ini.ReadString(General, "DefaultICZ", "");
    s.DefaultICO = ini.ReadString(General, "DefaultICO", "");
    s.DefaultCisloUctu = ini.ReadString(General, "DefaultCisloUctu", "");
    s.DefaultKodBanky = ini.ReadString(General, "DefaultKodBanky", "");
    s.TypPrenosu = ini.ReadString(General, "TypPrenosu", std::string(TypPrenosuScp));
    s.UploadAdresa = ini.ReadString(UploadLemo, "Adresa", "");
    s.UploadOutDir = ini.ReadString(UploadLemo, "OutDir", "");
    s.DefaultGenerovat = ini.ReadString(FakturaInfo, "DefaultGenerovat", "") == "A";
    s.DefaultOdbICO = ini.ReadString(FakturaInfo, "DefaultOdbICO", "");
    s.DefaultOdbNazev = ini.ReadString(FakturaInfo, "DefaultOdbNazev", "");
    s.DefaultOdbUlice = ini.ReadString(FakturaInfo, "DefaultOdbUlice", "");
    s.DefaultOdbPsc = ini.ReadString(FakturaInfo, "DefaultOdbPsc", "");
    s.DefaultOdbObec = ini.ReadString(FakturaInfo, "DefaultOdbObec", "");
    s.DefaultDodNazev = ini.ReadString(FakturaInfo, "DefaultDodNazev", "");
    s.DefaultDodUlice = ini.ReadString(FakturaInfo, "DefaultDodUlice", "");
    s.DefaultDodPsc = ini.ReadString(FakturaInfo, "DefaultDodPsc", "");
    s.DefaultDodObec = ini.ReadString(FakturaInfo, "DefaultDodObec", "");
    return s;
}

void SaveAppIni(const fs::path& iniFile, const AppSettings& s) {
    TIniFile ini(iniFile);
    ini.WriteString(General, "Pracoviste", s.Pracoviste);
    ini.WriteString(General, "DirDavky", s.DirDavky);
    ini.WriteString(General, "DirOdeslane", s.DirOdeslane);
    ini.WriteInteger(General, "IntSplatnosti", s.IntSplatnosti);
    ini.WriteString(General, "DefaultICZ", s.DefaultICZ);
    ini.WriteString(General, "DefaultICO", s.DefaultICO);
    ini.WriteString(General, "DefaultCisloUctu", s.DefaultCisloUctu);
    ini.WriteString(General, "DefaultKodBanky", s.DefaultKodBanky);
    ini.WriteString(General, "TypPrenosu", s.TypPrenosu);
    ini.WriteString(UploadLemo, "Adresa", s.UploadAdresa);
    ini.WriteString(UploadLemo, "OutDir", s.UploadOutDir);
    ini.WriteString(FakturaInfo, "DefaultGenerovat", s.DefaultGenerovat ? "A" : "N");
    ini.WriteString(FakturaInfo, "DefaultOdbICO", s.DefaultOdbICO);
    ini.WriteString(FakturaInfo, "DefaultOdbNazev", s.DefaultOdbNazev);
    ini.WriteString(FakturaInfo, "DefaultOdbUlice", s.DefaultOdbUlice);
    ini.WriteString(FakturaInfo, "DefaultOdbPsc", s.DefaultOdbPsc);
    ini.WriteString(FakturaInfo, "DefaultOdbObec", s.DefaultOdbObec);
    ini.WriteString(FakturaInfo, "DefaultDodNazev", s.DefaultDodNazev);
    ini.WriteString(FakturaInfo, "DefaultDodUlice", s.DefaultDodUlice);
    ini.WriteString(FakturaInfo, "DefaultDodPsc", s.DefaultDodPsc);
    ini.WriteString(FakturaInfo, "DefaultDodObec", s.DefaultDodObec);
}

void ValidateAppSettings(const std::string& pracoviste, const std::string& dirDavky, const std::string& dirOdeslane,
                         const std::string& typPrenosu, const std::string& uploadAdresa,
                         const std::string& uploadOutDir, TRequestList& requests) {
    ValidatePracoviste(pracoviste, requests);

    if (Trim(dirDavky).empty())
        AddError(requests, FormatText(BadValue, dirDavky, "Adresář dávek"));
    else if (!DirectoryExists(dirDavky))
        AddError(requests, FormatText(NoDirectory, dirDavky));

    if (Trim(dirOdeslane).empty() || EndsWithSeparator(dirOdeslane))
        AddError(requests, FormatText(BadValue, dirOdeslane, "Adresář odeslaných souborů"));
    else if (!DirectoryExists(dirOdeslane))
        AddError(requests, FormatText(NoDirectory, dirOdeslane));

    if (TypPrenosuIndex(typPrenosu) < 0)
        AddError(requests, FormatText(BadValue, typPrenosu, "Typ přenosu"));

    if (typPrenosu == TypPrenosuUpload) {
        if (Trim(uploadAdresa).empty())
            AddError(requests, FormatText(BadValue, uploadAdresa, "Adresa stránky uploadu Lemo"));
        if (Trim(uploadOutDir).empty())
            AddError(requests, FormatText(BadValue, uploadOutDir, "Adresář pro upload Lemo"));
        else if (!DirectoryExists(uploadOutDir))
            AddError(requests, FormatText(NoDirectory, uploadOutDir));
    }
}

} // namespace ndlemo
