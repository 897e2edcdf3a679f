#include "invoice/TAttachedFileList.h"

#include "support/ESubroutineError.h"
#include "support/TFileChooser.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
constexpr int NumberWidth = 3;
// The extension field's size: a report copy carries its extension as the record keeps it.
constexpr size_t ExtensionFieldSize = 20;

[[noreturn]] void ThrowCopyError(const fs::path& source, const fs::path& copy, const std::error_code& reason) {
    throw ESubroutineError("Při kopírování souboru \"%s\" do souboru \"%s\" došlo k chybě: %s", source.string(),
                           copy.string(), reason.message());
}

// The source's extension without its dot (everything after the last dot of the name, as the program has
// always read it), as the table's text field will hold it, so that the record always names its copy.
std::string StoredExtension(const fs::path& source) {
    const std::string name = source.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string bytes = Utf8ToCp1250(std::string_view(name).substr(dot + 1));
    bytes.resize(std::min(bytes.size(), ExtensionFieldSize));
    return Cp1250ToUtf8(bytes);
}

// The file-system time of the last change, local, in whole two-second steps as the program shows it.
TDateTime ModifiedLocal(const fs::path& file) {
    const auto system = std::chrono::file_clock::to_sys(fs::last_write_time(file));
    const std::time_t t =
        std::chrono::system_clock::to_time_t(std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    localtime_r(&t, &local);
    return TDateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec - local.tm_sec % 2);
}

// Copies the source to the copy's place. A file already there holds no record's copy (its number is past
// the last), so it is replaced; a link there is removed, never followed. A failure leaves no copy behind
// and the source as it was.
void MakeCopy(const fs::path& source, const fs::path& copy) {
    std::error_code ec;
    const fs::file_status there = fs::symlink_status(copy, ec);
    if (fs::exists(there)) {
        if (fs::equivalent(source, copy, ec))
            ThrowCopyError(source, copy, std::make_error_code(std::errc::file_exists));
        if (fs::is_directory(there))
            ThrowCopyError(source, copy, std::make_error_code(std::errc::is_a_directory));
        if (!fs::remove(copy, ec) && ec)
            ThrowCopyError(source, copy, ec);
    }
    if (!fs::copy_file(source, copy, fs::copy_options::none, ec)) {
        const std::error_code reason = ec ? ec : std::make_error_code(std::errc::io_error);
        // What lies there now was begun by this copy.
        std::error_code ignored;
        if (fs::is_regular_file(fs::symlink_status(copy, ignored)) && !fs::equivalent(source, copy, ignored))
            fs::remove(copy, ignored);
        ThrowCopyError(source, copy, reason);
    }
}

void DeleteCopy(const fs::path& copy) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(copy, ec);
    if (!fs::exists(status))
        return;
    if (!fs::is_symlink(status))
        fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    if (!ec)
        fs::remove(copy, ec);
    if (ec)
        throw ESubroutineError("Při výmazu souborů dle masky: \"%s\" nastala chyba: %s", copy.string(), ec.message());
}
} // namespace

TAttachedFileList::TAttachedFileList(TFileListKind kind, TQsStreamDataSet& table, fs::path workDir)
    : m_Kind(kind), m_Table(table), m_WorkDir(std::move(workDir)) {}

const char* TAttachedFileList::Filter() const {
    return m_Kind == TFileListKind::Batch ? "*.333;*.111;*.csv;*.txt"
                                          : "*.pdf;*.doc;*.docx;*.txt;*.tif;*.tiff;*.jpg;*.jpeg";
}

std::string TAttachedFileList::CopyMask() const {
    return m_Kind == TFileListKind::Batch ? "tmp_file.*" : "tmp_lz_*.*";
}

std::string TAttachedFileList::Field(const char* name) const {
    return std::string(m_Kind == TFileListKind::Batch ? "PRS_" : "LZ_") + name;
}

fs::path TAttachedFileList::CopyPathOf(const std::string& tmpName, const std::string& ext) const {
    return m_WorkDir / (ext.empty() ? tmpName : tmpName + "." + ext);
}

std::string TAttachedFileList::StartDirectory(const std::string& lastDir, const std::string& dirDavky) {
    std::error_code ec;
    if (!lastDir.empty() && fs::is_directory(lastDir, ec))
        return lastDir;
    return dirDavky;
}

bool TAttachedFileList::ChooseAndAdd(std::string& lastDir, const std::string& dirDavky) {
    fs::path file;
    if (!SelectFile(StartDirectory(lastDir, dirDavky), Filter(), file))
        return false;
    std::error_code ec;
    if (!fs::exists(file, ec))
        return false;
    lastDir = file.parent_path().string();
    Add(file);
    return true;
}

int TAttachedFileList::LastNumber() const {
    const std::vector<int32_t> live = m_Table.LiveRecords();
    if (live.empty())
        return 0;
    const bool batch = m_Kind == TFileListKind::Batch;
    const std::string field = Field(batch ? "FileExt" : "TmpName");
    std::string text = m_Table.TextAt(live.back(), m_Table.FieldIndex(field));
    if (!batch)
        text = text.size() > NumberWidth ? text.substr(text.size() - NumberWidth) : text;
    int32_t number = 0;
    // The list writes its numbers itself; one it cannot read would let a new copy take an old one's name.
    if (!TryStrToInt(text, number))
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", text, field);
    return number;
}

void TAttachedFileList::Add(const fs::path& source) {
    std::error_code ec;
    if (m_WorkDir.empty() || !fs::is_directory(m_WorkDir, ec))
        throw ESubroutineError("Adresář \"%s\" neexistuje.", m_WorkDir.string());
    if (!fs::exists(source, ec))
        return;
    const int last = LastNumber();
    if (last > MaxNumber - 1)
        throw ESubroutineError("Nelze vytvořit extenzi souboru vyšší než \"%s\"", std::to_string(MaxNumber));
    const std::string number = ZeroPadInt(last + 1, NumberWidth);
    const bool batch = m_Kind == TFileListKind::Batch;
    const std::string tmpName = batch ? "tmp_file" : "tmp_lz_" + number;
    const std::string ext = batch ? number : StoredExtension(source);
    const fs::path copy = CopyPathOf(tmpName, ext);

    MakeCopy(source, copy);
    // From here on a failure withdraws the record and the copy.
    auto withdraw = [&] {
        if (m_Table.State() == TQsStreamDataSet::TState::Insert)
            m_Table.Cancel();
        std::error_code ignored;
        fs::remove(copy, ignored);
    };
    try {
        fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
        const uintmax_t size = fs::file_size(copy);
        const TDateTime modified = ModifiedLocal(source);
        m_Table.Append();
        m_Table.FieldByName(Field("TmpName")).SetAsString(tmpName);
        m_Table.FieldByName(Field("FileExt")).SetAsString(ext);
        m_Table.FieldByName(Field("FileSize"))
            .SetAsInteger(static_cast<int32_t>(std::min<uintmax_t>(size, std::numeric_limits<int32_t>::max())));
        m_Table.FieldByName(Field("SrcFileName")).SetAsString(source.filename().string());
        m_Table.FieldByName(Field("SrcDateTime")).SetAsDateTime(modified);
        m_Table.Post();
    } catch (const fs::filesystem_error& e) {
        withdraw();
        ThrowCopyError(source, copy, e.code());
    } catch (...) {
        withdraw();
        throw;
    }
}

void TAttachedFileList::RemoveCurrent() {
    if (m_Table.IsEmpty())
        return;
    DeleteCopy(CurrentFilePath());
    m_Table.Delete();
}

void TAttachedFileList::Clear() {
    std::error_code ec;
    if (!m_WorkDir.empty() && fs::is_directory(m_WorkDir, ec))
        DeleteFilesByMask(m_WorkDir / CopyMask());
    m_Table.Empty();
}

fs::path TAttachedFileList::CurrentFilePath() const {
    if (m_Table.IsEmpty())
        return {};
    return CopyPathOf(m_Table.FieldByName(Field("TmpName")).AsString(),
                      m_Table.FieldByName(Field("FileExt")).AsString());
}

} // namespace ndlemo
