#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo {

// An INI file with the meaning of the Windows profile functions: sections and keys match regardless of
// case, values are trimmed on read and write (one pair of enclosing quotes is dropped on read), a missing
// file reads as defaults and is created by the first write, and a write changes only its own line.
// The file text is Windows-1250 with CR LF lines; values are UTF-8 at this interface.
class TIniFile {
public:
    explicit TIniFile(std::filesystem::path fileName) : m_FileName(std::move(fileName)) {}

    [[nodiscard]] const std::filesystem::path& FileName() const { return m_FileName; }

    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // The value when it is a whole number (decimal, or hexadecimal after "$" or "0x"), else the default.
    [[nodiscard]] long long ReadInteger(const std::string& section, const std::string& key,
                                        long long defaultValue) const;
    [[nodiscard]] bool KeyExists(const std::string& section, const std::string& key) const;
    [[nodiscard]] bool SectionExists(const std::string& section) const;
    // The keys of a section in file order.
    [[nodiscard]] std::vector<std::string> ReadKeys(const std::string& section) const;

    // Raises ESubroutineError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, long long value) {
        WriteString(section, key, std::to_string(value));
    }

private:
    [[nodiscard]] std::vector<std::string> ReadLines() const;
    // Index of the key's line within the section, or -1; sectionEnd is the line after its last key line.
    static int FindKey(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                       int& sectionLine, int& sectionEnd);

    std::filesystem::path m_FileName;
};

} // namespace ndlemo
