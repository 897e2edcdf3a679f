#include "invoice/SendPackage.h"

#include "invoice/TransferDescription.h"
#include "transfer/PackageNames.h"
#include "transfer/PackageTransfer.h"

namespace ndlemo {

namespace {
std::vector<std::filesystem::path> AttachedCopies(const TLemoPrij& prij) {
    std::vector<std::filesystem::path> files;
    for (const auto& file : prij.Soubory)
        files.emplace_back(file->JmenoSouboru);
    return files;
}
} // namespace

void SendInvoicePackage(const std::string& name, const TLemoPrij& prij, const TTransferContext& context,
                        std::string& lastUploadFile) {
    TPackage package;
    package.Kind = TPackageKind::Invoice;
    package.Name = name;
    WriteInvoiceDescription(prij, package.DescriptionLines, context.UserName, context.Pracoviste);
    package.Files = AttachedCopies(prij);
    package.ArchiveDir = InvoiceArchiveDir(context.DirOdeslane, prij.DatumPrijeti);
    SendPackage(package, context, lastUploadFile);
}

void SendReportsPackage(const std::string& name, const TLemoPrij& prij, const TTransferContext& context,
                        std::string& lastUploadFileLZ) {
    TPackage package;
    package.Kind = TPackageKind::Reports;
    package.Name = name;
    WriteReportsDescription(prij, package.DescriptionLines, context.UserName, context.Pracoviste);
    package.Files = AttachedCopies(prij);
    package.ArchiveDir = ReportsArchiveDir(context.DirOdeslane, prij.IdPrenosu);
    SendPackage(package, context, lastUploadFileLZ);
}

} // namespace ndlemo
