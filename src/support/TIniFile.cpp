#include "support/TIniFile.h"

#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

namespace ndlemo {

namespace {
bool EqualNoCase(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

// The section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line, or false (comments and lines without "=").
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    std::string t = Trim(line);
    if (t.empty() || t.front() == ';')
        return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos)
        return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return !key.empty();
}
} // namespace

std::vector<std::string> TIniFile::ReadLines() const {
    std::vector<std::string> lines;
    std::ifstream in(m_FileName, std::ios::binary);
    if (!in)
        return lines;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text = Cp1250ToUtf8(data);
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    return lines;
}

int TIniFile::FindKey(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                      int& sectionLine, int& sectionEnd) {
    sectionLine = -1;
    sectionEnd = -1;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
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
        if (KeyValue(lines[i], k, v)) {
            sectionEnd = i + 1;
            if (EqualNoCase(k, key))
                return i;
        }
    }
    return -1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    auto lines = ReadLines();
    int sectionLine, sectionEnd;
    int i = FindKey(lines, section, key, sectionLine, sectionEnd);
    if (i < 0)
        return Trim(defaultValue);
    std::string k, v;
    KeyValue(lines[i], k, v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

long long TIniFile::ReadInteger(const std::string& section, const std::string& key, long long defaultValue) const {
    std::string v = ReadString(section, key, "");
    int base = 10;
    std::string_view digits = v;
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '$') {
        base = 16;
        digits.remove_prefix(1);
    } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    long long value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size())
        return defaultValue;
    return negative ? -value : value;
}

bool TIniFile::KeyExists(const std::string& section, const std::string& key) const {
    int sectionLine, sectionEnd;
    return FindKey(ReadLines(), section, key, sectionLine, sectionEnd) >= 0;
}

bool TIniFile::SectionExists(const std::string& section) const {
    int sectionLine, sectionEnd;
    FindKey(ReadLines(), section, "", sectionLine, sectionEnd);
    return sectionLine >= 0;
}

std::vector<std::string> TIniFile::ReadKeys(const std::string& section) const {
    std::vector<std::string> keys;
    bool inSection = false;
    for (const auto& line : ReadLines()) {
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
    auto lines = ReadLines();
    std::string entry = Trim(key) + "=" + Trim(value);
    int sectionLine, sectionEnd;
    int i = FindKey(lines, section, key, sectionLine, sectionEnd);
    if (i >= 0) {
        lines[i] = entry;
    } else if (sectionLine >= 0) {
        lines.insert(lines.begin() + sectionEnd, entry);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + Trim(section) + "]");
        lines.push_back(entry);
    }
    std::string text;
    for (const auto& line : lines)
        text += Utf8ToCp1250(line) + "\r\n";
    std::ofstream out(m_FileName, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        throw ESubroutineError("Do souboru \"%s\" nelze zapisovat: %s", m_FileName.string(), std::strerror(errno));
}

} // namespace ndlemo
