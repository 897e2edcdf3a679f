#pragma once

#include <filesystem>
#include <string_view>

namespace ndlemo {

// Replaces the file's contents in one step: the bytes go to a new file beside it, which is flushed to the
// disk and then renamed over the old one. Whatever fails, the old file stays as it was (and no half-written
// file is left beside it). A new file takes the permissions of the file it replaces. Raises ESubroutineError
// "Do souboru "%s" nelze zapisovat: %s" with the system's reason.
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace ndlemo
