#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

namespace ndlemo {

// The archive's packages whose file name matches the mask (* and ?, letters regardless of case), found
// depth first: the files of a directory before its subdirectories, each directory's entries in name order so
// that the same archive always lists the same paths. At most limit paths. A root that does not exist, and a
// subdirectory that cannot be read, hold nothing.
[[nodiscard]] std::vector<std::filesystem::path> FindSentPackages(const std::filesystem::path& root,
                                                                  std::string_view mask, size_t limit);

} // namespace ndlemo
