#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo {

struct TZipEntry {
    std::filesystem::path File;
    // The bare name the entry gets in the archive.
    std::string Name;
};

// Writes a new ZIP archive with the entries in the given order: no password, no comment. Each entry is deflated at
// zlib's normal level (6), or stored when deflating does not make it smaller. A file above ProbeThreshold whose
// samples do not shrink under deflate is stored without deflating it whole (so a scanned or already compressed
// document costs hardly more than a copy); every other entry is deflated and switched to stored afterwards when its
// deflated form came out larger. An existing archive file is removed first. Raises ESubroutineError with the reason
// ("Soubor "%s" nejde vymazat" for an archive file that cannot be removed); a failure leaves no archive file.
void BuildZipPackage(const std::filesystem::path& zipFile, const std::vector<TZipEntry>& entries);

// Whether the samples of a file suggest that deflate would not make it smaller; false for files up to
// ProbeThreshold, which are always deflated and judged by the result.
[[nodiscard]] bool LooksIncompressible(const std::filesystem::path& file);
inline constexpr std::uintmax_t ProbeThreshold = 1u << 20;

} // namespace ndlemo
