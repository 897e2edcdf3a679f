#include "app/AppSettings.h"

#include "support/FormatText.h"
#include "support/TIniFile.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "transfer/UploadPage.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
using S = AppSettings;
using R = TAppSettingRule;
using K = TSettingKind;
using F = TInputFilter;
using E = TEditState;

constexpr const char* General = "General";
constexpr const char* UploadLemo = "UploadLemo";
constexpr const char* FakturaInfo = "FakturaInfo";

const std::array<TAppSettingRow, 21> Rows = {{
    {General,
     "Pracoviste",
     K::Text,
     &S::Pracoviste,
     "",
     {"cedtPracoviste", "Pracoviště", "Pracoviště", 4, F::UpperCase, E::Required},
     R::WorkplaceCode},
    {General,
     "DirDavky",
     K::Text,
     &S::DirDavky,
     "",
     {"cedtDirDavky", "Adresář dávek", "Adresář dávek", 0, F::None, E::Required},
     R::ExistingDirectory},
    {General,
     "DirOdeslane",
     K::Text,
     &S::DirOdeslane,
     "",
     {"cedtDirOdeslane", "Adresář odeslaných souborů", "Adresář odeslaných souborů", 0, F::None, E::Required},
     R::ArchiveDirectory},
    {General,
     "IntSplatnosti",
     K::Integer,
     &S::IntSplatnosti,
     "0",
     {"cedtIntSplatnosti", "Interval splatnosti", "Interval splatnosti", 3, F::Digits, E::Required}},
    {General, "DefaultICZ", K::Text, &S::DefaultICZ, "", {"cedtDefaultICZ", "IČZ", "IČZ", 8, F::None, E::Editable}},
    {General, "DefaultICO", K::Text, &S::DefaultICO, "", {"cedtDefaultICO", "IČ", "IČ", 8, F::None, E::Editable}},
    {General,
     "DefaultCisloUctu",
     K::Text,
     &S::DefaultCisloUctu,
     "",
     {"cedtDefaultCisloUctu", "Číslo účtu", "Číslo účtu", 25, F::None, E::Editable}},
    {General,
     "DefaultKodBanky",
     K::Text,
     &S::DefaultKodBanky,
     "",
     {"cedtDefaultKodBanky", "Kód banky", "Kód banky", 4, F::None, E::Editable}},
    {General,
     "TypPrenosu",
     K::Code,
     &S::TypPrenosu,
     "SCP",
     {"ccbTypPrenosu", "Typ přenosu ", "Typ přenosu", 0, F::None, E::Required},
     R::TransferTypeCode},
    {UploadLemo,
     "Adresa",
     K::Text,
     &S::UploadAdresa,
     "",
     {"cedtAdresaUploadLemo", "Adresa stránky uploadu Lemo", "Adresa stránky uploadu Lemo", 0, F::None,
      E::RequiredForUpload},
     R::UploadAddress},
    {UploadLemo,
     "OutDir",
     K::Text,
     &S::UploadOutDir,
     "",
     {"cedtDirUploadLemo", "Adresář uploadu Lemo", "Adresář uploadu Lemo", 0, F::None, E::RequiredForUpload},
     R::UploadDirectory},
    {FakturaInfo,
     "DefaultGenerovat",
     K::YesNo,
     &S::DefaultGenerovat,
     "",
     {"cchbDefaultGenerFak", "Generovat fakturu", "Generovat fakturu", 0, F::None, E::Editable}},
    {FakturaInfo,
     "DefaultOdbICO",
     K::Text,
     &S::DefaultOdbICO,
     "",
     {"cedtDefaultOdberatelICO", "IČ", "IČ odběratele", 8, F::None, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultOdbNazev",
     K::Text,
     &S::DefaultOdbNazev,
     "",
     {"cedtDefaultOdberatelNazev", "Název ", "Název odběratele", 50, F::None, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultOdbUlice",
     K::Text,
     &S::DefaultOdbUlice,
     "",
     {"cedtDefaultOdberatelUlice", "Ulice", "Ulice odběratele", 50, F::None, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultOdbPsc",
     K::Text,
     &S::DefaultOdbPsc,
     "",
     {"cedtDefaultOdberatelPsc", "PSČ", "PSČ odběratele ", 5, F::Digits, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultOdbObec",
     K::Text,
     &S::DefaultOdbObec,
     "",
     {"cedtDefaultOdberatelObec", "Obec", "Obec odběratele", 50, F::None, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultDodNazev",
     K::Text,
     &S::DefaultDodNazev,
     "",
     {"cedtDefaultDodavatelNazev", "Název ", "Název dodavatele", 50, F::None, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultDodUlice",
     K::Text,
     &S::DefaultDodUlice,
     "",
     {"cedtDefaultDodavatelUlice", "Ulice", "Ulice dodavatele", 50, F::None, E::Editable}},
    {FakturaInfo,
     "DefaultDodPsc",
     K::Text,
     &S::DefaultDodPsc,
     "",
     {"cedtDefaultDodavatelPsc", "PSČ", "PSČ dodavatele ", 5, F::Digits, E::RequiredForInvoice}},
    {FakturaInfo,
     "DefaultDodObec",
     K::Text,
     &S::DefaultDodObec,
     "",
     {"cedtDefaultDodavatelObec", "Obec", "Obec dodavatele", 50, F::None, E::RequiredForInvoice}},
}};

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

// The message names the field as the rule's own caption, which is not always the dialog's display name.
void CheckDirectory(const std::string& value, const char* caption, bool archive, TRequestList& requests) {
    if (TrimWhitespace(value).empty() || (archive && EndsWithSeparator(value)))
        AddError(requests, FormatText(BadValue, value, caption));
    else if (!DirectoryExists(value))
        AddError(requests, FormatText(NoDirectory, value));
}

void CheckRow(const TAppSettingRow& row, const AppSettings& s, TRequestList& requests) {
    const std::string value = ValueText(row, s);
    if (row.Kind == TSettingKind::Text || row.Kind == TSettingKind::Code) {
        if (!CheckStorable(row, value, requests))
            return;
    }
    const bool upload = s.TypPrenosu == TTransferMode::Upload;
    switch (row.Rule) {
    case R::None:
        break;
    case R::WorkplaceCode:
        ValidatePracoviste(value, requests);
        break;
    case R::ExistingDirectory:
        CheckDirectory(value, row.Field.DisplayName, false, requests);
        break;
    case R::ArchiveDirectory:
        CheckDirectory(value, row.Field.DisplayName, true, requests);
        break;
    case R::TransferTypeCode:
        if (!s.TypPrenosu.IsValid())
            AddError(requests, FormatText(BadValue, value, row.Field.DisplayName));
        break;
    case R::UploadAddress:
        // The address is handed to the desktop to open; only a web page may get there.
        if (upload && !IsUploadPageAddress(value))
            AddError(requests, FormatText(BadValue, value, row.Field.DisplayName));
        break;
    case R::UploadDirectory:
        // The rule's name for the directory differs from the dialog's label.
        if (upload)
            CheckDirectory(value, "Adresář pro upload Lemo", false, requests);
        break;
    }
}
} // namespace

std::span<const TAppSettingRow> AppSettingRows() {
    return Rows;
}

const TAppSettingRow& AppSettingRow(std::string_view key) {
    auto it = std::find_if(Rows.begin(), Rows.end(), [key](const TAppSettingRow& row) { return row.Key == key; });
    if (it == Rows.end())
        throw std::out_of_range("no application setting " + std::string(key));
    return *it;
}

fs::path AppIniPath(const fs::path& programDir, const fs::path& programFileName) {
    fs::path name = programFileName.filename();
    name.replace_extension(".ini");
    return programDir / name;
}

AppSettings LoadAppIni(const fs::path& iniFile) {
    AppSettings s;
    LoadSettings(TIniFile(iniFile), AppSettingRows(), s);
    return s;
}

void SaveAppIni(const fs::path& iniFile, const AppSettings& settings) {
    TIniFile ini(iniFile);
    StoreSettings(ini, AppSettingRows(), settings);
    ini.UpdateFile();
}

void ValidateAppSettings(const AppSettings& settings, TRequestList& requests) {
    for (const TAppSettingRow& row : Rows)
        CheckRow(row, settings, requests);
}

} // namespace ndlemo
