#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// An INI file with the meaning of the Windows profile functions: sections and keys match regardless of
// case, values are trimmed on read and write (one pair of enclosing quotes is dropped on read), and a write
// changes only its own line. The file is read once when the object is made and written back as a whole by
// UpdateFile, so that a group of settings is saved in one step. The file text is Windows-1250, lines end at
// CR LF, CR or LF and are written with CR LF; values are UTF-8 at this interface.
class TIniFile {
public:
    // Reads the file; a missing file reads as empty. Raises ESubroutineError "Soubor "%s" nelze přečíst: %s"
    // when the file exists but cannot be read, so that it is never mistaken for an empty one and overwritten.
    explicit TIniFile(std::filesystem::path fileName);
    // INI text in memory (Windows-1250 bytes), not tied to a file.
    [[nodiscard]] static TIniFile FromBytes(std::string_view bytes);
    // INI text in memory that is already UTF-8.
    [[nodiscard]] static TIniFile FromUtf8(std::string_view text);

    [[nodiscard]] const std::filesystem::path& FileName() const { return m_FileName; }

    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // The value when it is a whole number (the rule of TryStrToInt64), else the default.
    [[nodiscard]] long long ReadInteger(const std::string& section, const std::string& key,
                                        long long defaultValue) const;
    [[nodiscard]] bool KeyExists(const std::string& section, const std::string& key) const;
    [[nodiscard]] bool SectionExists(const std::string& section) const;
    // The sections in file order, as the file spells them.
    [[nodiscard]] std::vector<std::string> ReadSections() const;
    // The keys of a section in file order.
    [[nodiscard]] std::vector<std::string> ReadKeys(const std::string& section) const;

    // Change the text in memory only; UpdateFile writes it.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long long value) {
        WriteString(section, key, std::to_string(value));
    }

    // Replaces the file with the text in one step (WriteFileAtomically): on failure the file stays as it was.
    // A value without a Windows-1250 byte for one of its characters is refused before anything is written.
    // Raises ESubroutineError.
    void UpdateFile() const;
    // The whole text as it would be written.
    [[nodiscard]] std::string Bytes() const;

private:
    TIniFile() = default;
    void SetText(std::string_view bytes);
    void SetLines(const std::string& text);
    // Index of the key's line within the section, or -1; sectionEnd is the line after its last key line.
    int FindKey(const std::string& section, const std::string& key, int& sectionLine, int& sectionEnd) const;

    std::filesystem::path m_FileName;
    std::vector<std::string> m_Lines;
};

} // namespace ndlemo
