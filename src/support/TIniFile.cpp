#include "support/TIniFile.h"

#include "support/AtomicFileWrite.h"
#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ndlemo {

namespace {
bool EqualNoCase(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

// The section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = TrimWhitespace(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = TrimWhitespace(t.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line, or false (comments and lines without "=").
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    std::string t = TrimWhitespace(line);
    if (t.empty() || t.front() == ';')
        return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos)
        return false;
    key = TrimWhitespace(t.substr(0, eq));
    value = TrimWhitespace(t.substr(eq + 1));
    return !key.empty();
}
// The file's bytes; the errno of the failure, 0 on success.
int ReadWholeFile(const std::filesystem::path& file, std::string& data) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            error = errno;
            break;
        }
    }
    ::close(fd);
    return error;
}
} // namespace

TIniFile::TIniFile(std::filesystem::path fileName) : m_FileName(std::move(fileName)) {
    std::string data;
    const int error = ReadWholeFile(m_FileName, data);
    if (error == ENOENT)
        return;
    if (error != 0)
        throw ESubroutineError("Soubor \"%s\" nelze přečíst: %s", m_FileName.string(), std::strerror(error));
    SetText(data);
}

TIniFile TIniFile::FromBytes(std::string_view bytes) {
    TIniFile ini;
    ini.SetText(bytes);
    return ini;
}

void TIniFile::SetText(std::string_view bytes) {
    SetLines(Cp1250ToUtf8(bytes));
}

TIniFile TIniFile::FromUtf8(std::string_view text) {
    TIniFile ini;
    ini.SetLines(std::string(text));
    return ini;
}

void TIniFile::SetLines(const std::string& text) {
    m_Lines.clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        m_Lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

int TIniFile::FindKey(const std::string& section, const std::string& key, int& sectionLine, int& sectionEnd) const {
    sectionLine = -1;
    sectionEnd = -1;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(m_Lines.size()); ++i) {
        std::string name, k, v;
        if (SectionName(m_Lines[i], name)) {
            if (inSection)
                return -1;
            inSection = EqualNoCase(name, section);
            if (inSection) {
                sectionLine = i;
                sectionEnd = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (KeyValue(m_Lines[i], k, v)) {
            sectionEnd = i + 1;
            if (EqualNoCase(k, key))
                return i;
        }
    }
    return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    int sectionLine, sectionEnd;
    int i = FindKey(section, key, sectionLine, sectionEnd);
    if (i < 0)
        return TrimWhitespace(defaultValue);
    std::string k, v;
    KeyValue(m_Lines[i], k, v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

long long TIniFile::ReadInteger(const std::string& section, const std::string& key, long long defaultValue) const {
    int64_t value = 0;
    return TryStrToInt64(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TIniFile::KeyExists(const std::string& section, const std::string& key) const {
    int sectionLine, sectionEnd;
    return FindKey(section, key, sectionLine, sectionEnd) >= 0;
}

bool TIniFile::SectionExists(const std::string& section) const {
    int sectionLine, sectionEnd;
    FindKey(section, "", sectionLine, sectionEnd);
    return sectionLine >= 0;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> sections;
    for (const auto& line : m_Lines) {
        std::string name;
        if (SectionName(line, name))
            sections.push_back(name);
    }
    return sections;
}

std::vector<std::string> TIniFile::ReadKeys(const std::string& section) const {
    std::vector<std::string> keys;
    bool inSection = false;
    for (const auto& line : m_Lines) {
        std::string name, k, v;
        if (SectionName(line, name)) {
            if (inSection)
                break;
            inSection = EqualNoCase(name, section);
        } else if (inSection && KeyValue(line, k, v)) {
            keys.push_back(k);
        }
    }
    return keys;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::string entry = TrimWhitespace(key) + "=" + TrimWhitespace(value);
    int sectionLine, sectionEnd;
    int i = FindKey(section, key, sectionLine, sectionEnd);
    if (i >= 0) {
        m_Lines[i] = entry;
    } else if (sectionLine >= 0) {
        m_Lines.insert(m_Lines.begin() + sectionEnd, entry);
    } else {
        if (!m_Lines.empty() && !TrimWhitespace(m_Lines.back()).empty())
            m_Lines.emplace_back();
        m_Lines.push_back("[" + TrimWhitespace(section) + "]");
        m_Lines.push_back(entry);
    }
}

std::string TIniFile::Bytes() const {
    std::string text;
    for (const auto& line : m_Lines) {
        if (!FitsCp1250(line))
            throw ESubroutineError("Do souboru \"%s\" nelze zapisovat: %s", m_FileName.string(),
                                   "text \"" + line + "\" obsahuje znak mimo kódovou stránku Windows-1250");
        text += Utf8ToCp1250(line) + "\r\n";
    }
    return text;
}

void TIniFile::UpdateFile() const {
    WriteFileAtomically(m_FileName, Bytes());
}

} // namespace ndlemo
