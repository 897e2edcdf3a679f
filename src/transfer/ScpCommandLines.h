#pragma once

#include "transfer/PrenosValueRules.h"
#include "transfer/TransferSettings.h"

#include <filesystem>
#include <string>
#include <string_view>

// The four tool command lines, character for character, as the command interpreter runs them with the output
// directory as current directory. Every builder refuses, with ESubroutineError "Nepřípustná hodnota "%s" pro "%s"",
// a value that IsAcceptablePrenosValue refuses (or that is empty or holds a blank), so that nothing in the settings
// can ever give the interpreter or the server's shell a command of its own.
namespace ndlemo {

// The text between two double quotes; nothing inside is escaped.
[[nodiscard]] std::string Quoted(std::string_view text);

// The remote directory of a send (OutDir) or of the connection test (TestSpojDir) as the command lines name it:
// trimmed, one trailing "/" removed. Raises "Nepřípustná hodnota "%s" pro "%s"" with that text and the setting's
// caption when it is shorter than two characters or does not start with "/".
[[nodiscard]] std::string NormalizeRemoteDir(std::string_view setting, TPrenosValue which);

// The argument texts. keyFile is the Pkf setting (only its file-name part is used), inputFile the file of the
// tools' standard input, remoteDir and testDir normalised. PscpSendArgs first raises "Soubor "%s" neexistuje" with
// the full path when outDir/NAME.zip does not exist. A package name that holds anything a command line would read
// is refused with "Chybné jméno "%s" přenášeného souboru".
[[nodiscard]] std::string PscpSendArgs(const TransferSettings& settings, const std::filesystem::path& outDir,
                                       std::string_view name, std::string_view remoteDir, std::string_view inputFile,
                                       std::string_view keyFile);
[[nodiscard]] std::string PlinkMd5Args(const TransferSettings& settings, std::string_view name,
                                       std::string_view remoteDir, std::string_view inputFile,
                                       std::string_view keyFile);
[[nodiscard]] std::string PscpTestArgs(const TransferSettings& settings, std::string_view testFileName,
                                       std::string_view testDir, std::string_view inputFile, std::string_view keyFile);
// "-c NAME.md5".
[[nodiscard]] std::string Md5CheckArgs(std::string_view name);

// The whole command lines: interpreter is CommandInterpreterPath(), the tools lie in outDir, the input file is
// "Nofile" and the key file the Pkf setting.
[[nodiscard]] std::string UploadCommandLine(const std::filesystem::path& interpreter,
                                            const std::filesystem::path& outDir, const TransferSettings& settings,
                                            std::string_view name, std::string_view remoteDir);
[[nodiscard]] std::string ServerMd5CommandLine(const std::filesystem::path& interpreter,
                                               const std::filesystem::path& outDir, const TransferSettings& settings,
                                               std::string_view name, std::string_view remoteDir);
[[nodiscard]] std::string LocalCheckCommandLine(const std::filesystem::path& interpreter,
                                                const std::filesystem::path& outDir, std::string_view name);
[[nodiscard]] std::string ConnectionTestCommandLine(const std::filesystem::path& interpreter,
                                                    const std::filesystem::path& outDir,
                                                    const TransferSettings& settings, std::string_view testDir);

// Raises "Chybné jméno "%s" přenášeného souboru" for a package name that is empty after trimming or holds a blank,
// a path separator or a character that IsAcceptablePrenosValue refuses.
void CheckPackageName(std::string_view name);

} // namespace ndlemo
