#pragma once

#include <filesystem>

namespace ndlemo {

// Copies source to target in pieces of 2048 bytes, replacing the target, with the busy cursor shown. The copy is
// written beside the target and put in its place only when complete, so a failure in the middle leaves an existing
// target as it was and never a cut copy. Raises ESubroutineError:
//   "Soubor "%s" nemůže být kopírován sám do sebe" when both paths name the same file (links and relative paths
//     included), before anything is opened;
//   "Při otevírání vstupního souboru "%s" došlo k chybě: %s" / "Při otevírání výstupního souboru "%s" došlo k
//     chybě: %s" with the system's reason;
//   "Při kopírování souboru "%s" do souboru "%s" došlo k chybě: %s" for a failed read or write, a write that stored
//     fewer bytes than were read (a full disk) among them.
void CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace ndlemo
