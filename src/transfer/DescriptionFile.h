#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo {

// Writes the lines of a description file (UTF-8), each ended by CR LF, in Windows-1250 without a byte-order mark,
// replacing the file. Raises ESubroutineError "Soubor "%s" nelze vytvořit: %s" with the system's reason.
void SaveDescriptionFile(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace ndlemo
