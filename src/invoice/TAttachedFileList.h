#pragma once

#include <filesystem>
#include <string>

namespace ndlemo {

class TQsStreamDataSet;

// The two attached-file lists differ in their table's field names, their filter and the names of their copies.
enum class TFileListKind {
    Batch,  // batch files of the invoice: copies "tmp_file.001" ... "tmp_file.999"
    Report, // medical-report files: copies "tmp_lz_001.pdf" ..., keeping the source's extension
};

// One list of attached files: every file is copied at once into the work directory under a numbered name
// and recorded in the list's table (qssPRS or qssLZ). The last record always carries the highest number in
// use; at most 999 files. A step that fails leaves the table and the work directory as they were before it,
// and never touches the source file.
class TAttachedFileList {
public:
    static constexpr int MaxNumber = 999;

    // The table stays the caller's and must outlive the list.
    TAttachedFileList(TFileListKind kind, TQsStreamDataSet& table, std::filesystem::path workDir);

    [[nodiscard]] TFileListKind Kind() const { return m_Kind; }
    [[nodiscard]] TQsStreamDataSet& Table() const { return m_Table; }
    // The chooser's filter: "*.333;*.111;*.csv;*.txt" or the document types.
    [[nodiscard]] const char* Filter() const;
    // The names of the copies in the work directory: "tmp_file.*" or "tmp_lz_*.*".
    [[nodiscard]] std::string CopyMask() const;

    // Where the chooser opens: the list's last-used directory when it is set and still exists, else dirDavky.
    [[nodiscard]] static std::string StartDirectory(const std::string& lastDir, const std::string& dirDavky);
    // Lets the user choose a file (SelectFile) and adds it; a chosen file that exists becomes the list's
    // last-used directory. False when nothing was chosen. Raises as Add.
    bool ChooseAndAdd(std::string& lastDir, const std::string& dirDavky);

    // Copies the source into the work directory under the next number and appends its record. A source that
    // no longer exists adds nothing. Raises ESubroutineError: "Adresář "%s" neexistuje." for a missing work
    // directory, "Nelze vytvořit extenzi souboru vyšší než "%s"" past 999, and "Při kopírování souboru "%s"
    // do souboru "%s" došlo k chybě: %s" with the system's reason when the copy cannot be made.
    void Add(const std::filesystem::path& source);
    // Deletes the current record's copy, then the record; nothing for an empty list. When the copy cannot be
    // deleted the record stays (ESubroutineError with the deletion message).
    void RemoveCurrent();
    // Deletes every copy in the work directory (CopyMask) and empties the table. Raises the deletion message
    // of DeleteFilesByMask; the table then stays as it was.
    void Clear();

    // The copy of the current record: work directory, temporary name and extension (no dot without one).
    // Empty when the list is empty.
    [[nodiscard]] std::filesystem::path CurrentFilePath() const;
    // The number of the last record; 0 for an empty list.
    [[nodiscard]] int LastNumber() const;

private:
    [[nodiscard]] std::string Field(const char* name) const;
    [[nodiscard]] std::filesystem::path CopyPathOf(const std::string& tmpName, const std::string& ext) const;

    TFileListKind m_Kind;
    TQsStreamDataSet& m_Table;
    std::filesystem::path m_WorkDir;
};

} // namespace ndlemo
