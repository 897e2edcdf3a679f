#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of freedesktop.org desktop entries by which the desktop names its programs: where the entries
// lie, how an entry's Exec line reads. Text only; nothing here touches the system.
namespace ndlemo::platform {

// The data directories searched for entries, most important first: dataHome (else home + "/.local/share"),
// then the entries of the colon-separated dataDirs (else "/usr/local/share" and "/usr/share"). Relative
// directories are skipped, as the base directory rules ask. Null stands for an unset variable.
[[nodiscard]] std::vector<std::filesystem::path> DesktopDataDirs(const char* dataHome, const char* dataDirs,
                                                                 const char* home);

// A desktop file id as a tool prints it: its first line, trimmed. Empty unless that is a plain file name
// ending in ".desktop" (no directory part), so that the id cannot lead out of the applications folders.
[[nodiscard]] std::string DesktopFileId(std::string_view output);

// The files an id may name under a data directory, in the order they are tried: "applications/<id>", then
// with a dash of the id standing for a subfolder ("kde4-konqueror.desktop" -> "applications/kde4/konqueror.desktop").
[[nodiscard]] std::vector<std::filesystem::path> DesktopFileCandidates(const std::filesystem::path& dataDir,
                                                                       std::string_view id);

// The Exec value of the entry's "Desktop Entry" group, with the escapes of string values resolved (\s, \n, \t,
// \r, \\). None when the group has no Exec key or the entry is marked Hidden (deleted).
[[nodiscard]] std::optional<std::string> DesktopEntryExec(std::string_view fileText);

// The arguments of an Exec value: blanks separate, double quotes group (inside them a backslash escapes '"',
// '`', '$' and '\'), field codes (%u %U %f %F and the others) are dropped and "%%" is one '%'; an argument that
// consisted of field codes only disappears. None for a value that must not be run: an open quote, an unknown
// field code, or no program.
[[nodiscard]] std::optional<std::vector<std::string>> SplitDesktopExec(std::string_view exec);

} // namespace ndlemo::platform
