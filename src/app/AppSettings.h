#pragma once

#include "support/TRequestList.h"
#include "support/TSettingRow.h"
#include "support/TTransferType.h"

#include <filesystem>
#include <span>
#include <string>

namespace ndlemo {

// The application settings the main window keeps for the run (file NdLemo.ini beside the program). All texts
// are trimmed.
struct AppSettings {
    // [General]
    std::string Pracoviste;
    std::string DirDavky;
    std::string DirOdeslane;
    int IntSplatnosti = 0;
    std::string DefaultICZ;
    std::string DefaultICO;
    std::string DefaultCisloUctu;
    std::string DefaultKodBanky;
    TTransferType TypPrenosu;
    // [UploadLemo] Adresa and OutDir
    std::string UploadAdresa;
    std::string UploadOutDir;
    // [FakturaInfo]
    bool DefaultGenerovat = false;
    std::string DefaultOdbICO;
    std::string DefaultOdbNazev;
    std::string DefaultOdbUlice;
    std::string DefaultOdbPsc;
    std::string DefaultOdbObec;
    std::string DefaultDodNazev;
    std::string DefaultDodUlice;
    std::string DefaultDodPsc;
    std::string DefaultDodObec;

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// What checks an application setting (besides its text fitting the file's code page).
enum class TAppSettingRule {
    None,
    WorkplaceCode,     // four characters A..Z, 0..9, at least one digit
    ExistingDirectory, // filled, and an existing directory
    ArchiveDirectory,  // as ExistingDirectory, and no trailing separator
    TransferTypeCode,  // one of the transfer-type codes
    UploadAddress,     // in upload mode an http, https or file address of an .html/.htm page
    UploadDirectory,   // an existing directory in upload mode
};

using TAppSettingRow = TSettingRow<AppSettings, TAppSettingRule>;

// The rows of NdLemo.ini in the order of the file.
[[nodiscard]] std::span<const TAppSettingRow> AppSettingRows();
// The row of a key (as the table spells it); raises std::out_of_range for an unknown one.
[[nodiscard]] const TAppSettingRow& AppSettingRow(std::string_view key);

// The program file's name with the extension ".ini", in the program directory.
[[nodiscard]] std::filesystem::path AppIniPath(const std::filesystem::path& programDir,
                                               const std::filesystem::path& programFileName);

// Reads every key; a missing file or key gives its default, a key present with an empty value is empty.
// Raises ESubroutineError when the file exists but cannot be read.
[[nodiscard]] AppSettings LoadAppIni(const std::filesystem::path& iniFile);
// Writes every key, trimmed, leaving other sections and keys of the file as they are, in one replacement of
// the file: when it fails (ESubroutineError naming the file and the reason) the file stays as it was. An
// existing file that cannot be read is never replaced.
void SaveAppIni(const std::filesystem::path& iniFile, const AppSettings& settings);

// Appends one level-256 request per problem found, in the order of the rows; raises nothing and creates
// nothing.
void ValidateAppSettings(const AppSettings& settings, TRequestList& requests);

} // namespace ndlemo
