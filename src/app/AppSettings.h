#pragma once

#include "support/TRequestList.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

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
    std::string TypPrenosu = "SCP";
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

inline constexpr std::string_view TypPrenosuScp = "SCP";
inline constexpr std::string_view TypPrenosuUpload = "UPLOAD";
// The transfer-type codes by index, as the settings dialog lists them.
inline constexpr std::array<std::string_view, 2> TypPrenosuCodes = {TypPrenosuScp, TypPrenosuUpload};
// Index of a transfer-type code, -1 when the text is not one.
[[nodiscard]] int TypPrenosuIndex(std::string_view code);

// The program file's name with the extension ".ini", in the program directory.
[[nodiscard]] std::filesystem::path AppIniPath(const std::filesystem::path& programDir,
                                               const std::filesystem::path& programFileName);

// Reads every key; a missing file or key gives its default, a key present with an empty value is empty.
[[nodiscard]] AppSettings LoadAppIni(const std::filesystem::path& iniFile);
// Writes every key, trimmed, leaving other sections and keys of the file as they are; raises ESubroutineError
// when the file cannot be written.
void SaveAppIni(const std::filesystem::path& iniFile, const AppSettings& settings);

// Appends one level-256 request per problem found, in a fixed order; raises nothing and creates nothing.
void ValidateAppSettings(const std::string& pracoviste, const std::string& dirDavky, const std::string& dirOdeslane,
                         const std::string& typPrenosu, const std::string& uploadAdresa,
                         const std::string& uploadOutDir, TRequestList& requests);
inline void ValidateAppSettings(const AppSettings& s, TRequestList& requests) {
    ValidateAppSettings(s.Pracoviste, s.DirDavky, s.DirOdeslane, s.TypPrenosu, s.UploadAdresa, s.UploadOutDir,
                        requests);
}

} // namespace ndlemo
