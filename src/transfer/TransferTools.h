#pragma once

#include <filesystem>

namespace ndlemo {

// The command interpreter that runs every tool command line: our own small program beside the executable.
inline constexpr const char* CommandInterpreterFileName = "ndlemo-cmd";
// The external tools in the output directory, under the names the command lines use.
inline constexpr const char* PscpFileName = "pscp.exe";
inline constexpr const char* PlinkFileName = "plink.exe";
inline constexpr const char* Md5sumFileName = "md5sum.exe";
// The standard input of every pscp and plink run: the answer to a question the tool may ask.
inline constexpr const char* NoFileName = "Nofile";

[[nodiscard]] std::filesystem::path CommandInterpreterPath(const std::filesystem::path& programDir);
// The interpreter beside the running executable.
[[nodiscard]] std::filesystem::path CommandInterpreterPath();

// Raises ESubroutineError "Soubor "%s" neexistuje" with the full path of the first missing file: the
// command interpreter, then pscp, plink and md5sum in the output directory.
void CheckTransferTools(const std::filesystem::path& programDir, const std::filesystem::path& outDir);

} // namespace ndlemo
