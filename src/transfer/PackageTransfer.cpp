#include "transfer/PackageTransfer.h"

#include "support/ESubroutineError.h"
#include "support/TMessageBoxes.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/CopyFileReplacing.h"
#include "transfer/DescriptionFile.h"
#include "transfer/ScpCommandLines.h"
#include "transfer/TBusyCursor.h"
#include "transfer/TStderrToolConsole.h"
#include "transfer/ToolRun.h"
#include "transfer/TransferTools.h"
#include "transfer/ZipPackage.h"

#include <system_error>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
void Log(const TTransferContext& context, int level, const std::string& text) {
    if (context.Log)
        context.Log(level, text);
}

TToolConsole& ConsoleOf(const TTransferContext& context) {
    static TStderrToolConsole standardError;
    return context.Console ? *context.Console : standardError;
}

TMessageBoxes& BoxesOf(const TTransferContext& context) {
    return context.Boxes ? *context.Boxes : TMessageBoxes::Current();
}

fs::path WithSuffix(const fs::path& base, const std::string& suffix) {
    fs::path path = base;
    path += suffix;
    return path;
}

// The work files of one package; deleted when the send ends, however it ends.
class TWorkFiles {
public:
    TWorkFiles() = default;
    ~TWorkFiles() {
        for (const auto& file : m_Files) {
            std::error_code ec;
            fs::remove(file, ec);
        }
    }
    TWorkFiles(const TWorkFiles&) = delete;
    TWorkFiles& operator=(const TWorkFiles&) = delete;
    fs::path Add(fs::path file) { return m_Files.emplace_back(std::move(file)); }

private:
    std::vector<fs::path> m_Files;
};

void CheckExists(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw ESubroutineError("Soubor \"%s\" neexistuje", file.string());
}

// The checks of SCP mode before anything is built; returns the normalised remote directory.
std::string CheckScpPrerequisites(const TTransferContext& context) {
    CheckExists(context.DirOut / fs::path(context.Prenos.Pkf).relative_path());
    CheckExists(context.DirOut / NoFileName);
    std::string remoteDir = NormalizeRemoteDir(context.Prenos.OutDir, TPrenosValue::OutDir);
    CheckTransferTools(context.ProgramDir, context.DirOut);
    return remoteDir;
}

void Pack(const fs::path& zipFile, const std::vector<TZipEntry>& entries) {
    try {
        BuildZipPackage(zipFile, entries);
    } catch (const std::exception& e) {
        throw ESubroutineError("Při tvorbě Zip souboru nastala chyba \"%s\"", e.what());
    }
}

fs::path ZalohaDir(const TTransferContext& context) {
    return context.DirZaloha.empty() ? context.DirOut / "zaloha" : context.DirZaloha;
}

void Backup(const TTransferContext& context, const fs::path& zipFile, const fs::path& backup) {
    std::error_code ec;
    fs::create_directories(ZalohaDir(context), ec);
    CopyFileReplacing(zipFile, backup);
}

// The start-up creates the output directory; a package is never built relative to whatever is current.
void CheckOutDir(const TTransferContext& context) {
    std::error_code ec;
    if (context.DirOut.empty() || !fs::is_directory(context.DirOut, ec))
        throw ESubroutineError("Adresář \"%s\" neexistuje.", context.DirOut.string());
}

// Copies the package into the upload directory and returns the copy's full path.
std::string PlaceForUpload(const TTransferContext& context, const fs::path& zipFile, const std::string& name) {
    std::string target = context.UploadOutDir;
    if (!target.ends_with('/'))
        target += '/';
    target += name + ".zip";
    CopyFileReplacing(zipFile, target);
    Log(context, 0, FormatText("Vytvořen soubor \"%s\" pro upload", target));
    return target;
}

// Upload, the server's MD5 and the local comparison; each failure is logged before it is raised.
void TransferByScp(const TTransferContext& context, const std::string& name, const std::string& remoteDir) {
    const fs::path interpreter = CommandInterpreterPath(context.ProgramDir);
    const TransferSettings& s = context.Prenos;
    const std::string zipName = name + ".zip";
    TToolConsole& console = ConsoleOf(context);
    auto fail = [&](const std::string& message) {
        Log(context, 16, message);
        throw ESubroutineError(message);
    };

    TToolResult run = RunTool(console, PscpFileName, UploadCommandLine(interpreter, context.DirOut, s, name, remoteDir),
                              context.DirOut);
    if (run.ExitCode != 0)
        fail(FormatText("Přenos souboru %s skončil chybou: %d (%s) (Host:\"%s\", Port:\"%s\", Dir:\"%s\")", zipName,
                        run.ExitCode, run.Reason, s.Host, s.Port, s.OutDir));
    run = RunTool(console, PlinkFileName, ServerMd5CommandLine(interpreter, context.DirOut, s, name, remoteDir),
                  context.DirOut);
    if (run.ExitCode != 0)
        fail(FormatText("Tvorba md5 souboru %s skončila chybou: %d (%s) (Host:\"%s\", Port:\"%s\", Dir:\"%s\")",
                        zipName, run.ExitCode, run.Reason, s.Host, s.Port, s.OutDir));
    run = RunTool(console, Md5sumFileName, LocalCheckCommandLine(interpreter, context.DirOut, name), context.DirOut);
    if (run.ExitCode != 0)
        fail(FormatText("Kontrola přenosu souboru %s skončila chybou", zipName));
    Log(context, 0, FormatText("Odeslán soubor %s (Host:\"%s\")", zipName, s.Host));
}

void Archive(const fs::path& dir, const std::vector<fs::path>& files) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec))
        throw ESubroutineError("Adresář \"%s\" neexistuje.", dir.string());
    for (const auto& file : files)
        CopyFileReplacing(file, dir / file.filename());
}

// Sent, but not filed: logged, the package kept in DirZaloha (an invoice's copy is there already), the user told.
void ReportUnarchived(const TTransferContext& context, const TPackage& package, const fs::path& zipFile,
                      const fs::path& backup, const std::string& reason) {
    Log(context, 16, FormatText("Archivace souboru %s.zip skončila chybou: %s", package.Name, reason));
    std::string note = FormatText("Kopie balíčku zůstala v souboru \"%s\".", backup.string());
    if (package.Kind == TPackageKind::Reports) {
        try {
            Backup(context, zipFile, backup);
        } catch (const std::exception& e) {
            note = FormatText("Kopii balíčku se nepodařilo uložit: %s", e.what());
        }
    }
    const char* headline = package.Kind == TPackageKind::Invoice
                               ? "Faktura byla odeslána, ale nebyla archivována"
                               : "Lékařské zprávy byly odeslány, ale nebyly archivovány";
    BoxesOf(context).Warning(std::string(headline) + ":\n" + reason + "\n" + note);
}
} // namespace

void SendPackage(const TPackage& package, const TTransferContext& context, std::string& lastUploadFile) {
    lastUploadFile.clear();
    TBusyCursorGuard busy;
    const std::string& name = package.Name;
    if (TrimWhitespace(name).empty())
        throw ESubroutineError("Chybné jméno \"%s\" přenášeného souboru", name);
    CheckPackageName(name);
    CheckOutDir(context);
    const bool invoice = package.Kind == TPackageKind::Invoice;

    const fs::path base = context.DirOut / name;
    TWorkFiles work;
    const fs::path zipFile = work.Add(WithSuffix(base, ".zip"));
    const fs::path description = work.Add(WithSuffix(base, invoice ? ".fak" : ".txt"));
    std::vector<fs::path> numbered;
    for (size_t i = 0; i < package.Files.size(); ++i) {
        const std::string number = ZeroPadInt(static_cast<int64_t>(i + 1), 3);
        numbered.push_back(
            work.Add(WithSuffix(base, invoice ? "." + number : "_" + number + package.Files[i].extension().string())));
    }
    work.Add(WithSuffix(base, ".md5"));

    std::string remoteDir;
    if (context.Scp)
        remoteDir = CheckScpPrerequisites(context);

    SaveDescriptionFile(description, package.DescriptionLines);
    std::vector<TZipEntry> entries{{description, description.filename().string()}};
    for (size_t i = 0; i < package.Files.size(); ++i) {
        CopyFileReplacing(package.Files[i], numbered[i]);
        entries.push_back({numbered[i], numbered[i].filename().string()});
    }
    Pack(zipFile, entries);

    const fs::path backup = ZalohaDir(context) / (name + ".zip");
    if (invoice)
        Backup(context, zipFile, backup);

    if (!context.Scp) {
        lastUploadFile = PlaceForUpload(context, zipFile, name);
        if (!invoice)
            return;
    } else {
        TransferByScp(context, name, remoteDir);
    }

    std::vector<fs::path> archived{zipFile};
    if (invoice) {
        archived.push_back(description);
        archived.insert(archived.end(), numbered.begin(), numbered.end());
    }
    try {
        Archive(package.ArchiveDir, archived);
    } catch (const std::exception& e) {
        if (!context.Scp)
            throw;
        ReportUnarchived(context, package, zipFile, backup, e.what());
        return;
    }
    if (invoice) {
        std::error_code ec;
        fs::remove(backup, ec);
    }
}

} // namespace ndlemo
