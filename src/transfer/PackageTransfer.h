#pragma once

#include "transfer/TTransferContext.h"

#include <filesystem>
#include <string>
#include <vector>

// Building and handing in one package: description file, numbered copies of the attached files, the ZIP package,
// then the SCP transfer with its MD5 check or the placement for the web upload, the archive and the clean-up.
namespace ndlemo {

// The two kinds differ in the names of their work files, the copy kept until the send completes and the archive.
enum class TPackageKind {
    // NAME.fak, NAME.001...; the package stays in DirZaloha until its send has completed; archived in both modes
    // (package, description file and numbered files).
    Invoice,
    // NAME.txt, NAME_001.pdf... (each copy keeps its file's extension, none when it has none); no copy in DirZaloha;
    // only the package is archived, and only in SCP mode.
    Reports,
};

struct TPackage {
    TPackageKind Kind = TPackageKind::Invoice;
    // The base name NAME of every file of the package.
    std::string Name;
    // The description file (UTF-8 lines).
    std::vector<std::string> DescriptionLines;
    // The temporary copies of the attached files, in list order: entry N of the package is file N.
    std::vector<std::filesystem::path> Files;
    // Where the sent package is filed.
    std::filesystem::path ArchiveDir;
};

// Builds the package in DirOut and hands it in; the work files (description, numbered copies, NAME.zip, NAME.md5)
// are deleted at the end whether the send succeeds or fails.
//
// SCP mode: the key file, "Nofile", the remote directory and the tools are checked before anything is built; then
// upload by pscp, the server's MD5 by plink and the local comparison by md5sum, each failure logged at level 16 and
// raised, and "Odeslán soubor %s (Host:"%s")" logged after the comparison. Upload mode: the package is copied into
// the upload directory, "Vytvořen soubor "%s" pro upload" logged, and lastUploadFile (emptied first) names it.
//
// A package that md5sum has confirmed is with the insurer: when archiving it fails after that, the send still
// counts as done (no exception) so that nobody sends it again. The failure is logged at level 16, the package is
// kept in DirZaloha and a warning tells the user so. Every other failure raises ESubroutineError.
void SendPackage(const TPackage& package, const TTransferContext& context, std::string& lastUploadFile);

} // namespace ndlemo
