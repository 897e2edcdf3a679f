#pragma once

#include <filesystem>
#include <string>

// The few services of the operating system that the program needs, behind one narrow interface so that
// another platform can be put behind it.
namespace ndlemo::platform {

// Full path of the running executable.
[[nodiscard]] std::filesystem::path ProgramPath();
// Its directory.
[[nodiscard]] std::filesystem::path ProgramDir();
// The name of the logged-in user; empty when the system does not tell.
[[nodiscard]] std::string UserName();
// The product version compiled into this program, four numbers joined by points.
[[nodiscard]] std::string ProductVersion();
// The product version compiled into the given executable, "0.0.0.0" when it has none or cannot be read.
[[nodiscard]] std::string ReadProductVersion(const std::filesystem::path& file);
// The process's current directory, and changing it (false when the directory cannot be entered).
[[nodiscard]] std::filesystem::path CurrentDirectory();
bool SetCurrentDirectory(const std::filesystem::path& dir);
// Absolute and normalised path (network drive letters have no counterpart here).
[[nodiscard]] std::filesystem::path ExpandFullPath(const std::filesystem::path& path);

} // namespace ndlemo::platform
