#include "platform/DesktopEntry.h"

namespace ndlemo::platform {

namespace fs = std::filesystem;

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The escapes of a string value; an unknown escape stays as written.
std::string UnescapeValue(std::string_view value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            text += '\\';
            text += value[i];
            break;
        }
    }
    return text;
}

// Field codes of the Exec key, the deprecated ones among them.
bool IsFieldCode(char c) {
    static constexpr std::string_view Codes = "fFuUdDnNickvm";
    return Codes.find(c) != std::string_view::npos;
}

// Undoes the quoting; false for an open quote.
bool SplitWords(std::string_view exec, std::vector<std::string>& words) {
    size_t i = 0;
    while (true) {
        while (i < exec.size() && (IsBlank(exec[i]) || exec[i] == '\n'))
            ++i;
        if (i == exec.size())
            return true;
        std::string word;
        while (i < exec.size() && !IsBlank(exec[i]) && exec[i] != '\n') {
            if (exec[i] != '"') {
                word += exec[i++];
                continue;
            }
            ++i;
            while (i < exec.size() && exec[i] != '"') {
                static constexpr std::string_view Escaped = "\"`$\\";
                if (exec[i] == '\\' && i + 1 < exec.size() && Escaped.find(exec[i + 1]) != std::string_view::npos)
                    ++i;
                word += exec[i++];
            }
            if (i == exec.size())
                return false;
            ++i;
        }
        words.push_back(std::move(word));
    }
}
} // namespace

std::vector<fs::path> DesktopDataDirs(const char* dataHome, const char* dataDirs, const char* home) {
    std::vector<fs::path> dirs;
    if (dataHome && *dataHome && fs::path(dataHome).is_absolute())
        dirs.emplace_back(dataHome);
    else if (home && *home && fs::path(home).is_absolute())
        dirs.push_back(fs::path(home) / ".local" / "share");
    const std::string_view list = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string_view::npos)
            end = list.size();
        const fs::path dir(list.substr(start, end - start));
        if (dir.is_absolute())
            dirs.push_back(dir);
        start = end + 1;
    }
    return dirs;
}

std::string DesktopFileId(std::string_view output) {
    const size_t newline = output.find('\n');
    const std::string_view id = Trimmed(output.substr(0, newline));
    if (id.size() <= 8 || !EndsWith(id, ".desktop") || id.find('/') != std::string_view::npos ||
        id.find('\\') != std::string_view::npos || id.front() == '.')
        return {};
    return std::string(id);
}

std::vector<fs::path> DesktopFileCandidates(const fs::path& dataDir, std::string_view id) {
    const fs::path applications = dataDir / "applications";
    std::vector<fs::path> files{applications / id};
    std::string relative(id);
    for (size_t dash = relative.find('-'); dash != std::string::npos; dash = relative.find('-', dash + 1)) {
        relative[dash] = '/';
        files.push_back(applications / relative);
    }
    return files;
}

std::optional<std::string> DesktopEntryExec(std::string_view fileText) {
    std::optional<std::string> exec;
    bool inEntry = false;
    size_t start = 0;
    while (start < fileText.size()) {
        size_t end = fileText.find('\n', start);
        if (end == std::string_view::npos)
            end = fileText.size();
        std::string_view line = fileText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[') {
            inEntry = trimmed == "[Desktop Entry]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (key == "Hidden" && value == "true")
            return std::nullopt;
        if (key == "Exec" && !exec)
            exec = UnescapeValue(value);
    }
    return exec;
}

std::optional<std::vector<std::string>> SplitDesktopExec(std::string_view exec) {
    std::vector<std::string> words;
    if (!SplitWords(exec, words))
        return std::nullopt;
    std::vector<std::string> arguments;
    for (const std::string& word : words) {
        std::string text;
        bool hadCode = false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%') {
                text += word[i];
                continue;
            }
            if (i + 1 == word.size())
                return std::nullopt;
            const char code = word[++i];
            if (code == '%')
                text += '%';
            else if (IsFieldCode(code))
                hadCode = true;
            else
                return std::nullopt;
        }
        if (text.empty() && hadCode)
            continue;
        arguments.push_back(std::move(text));
    }
    if (arguments.empty() || arguments.front().empty())
        return std::nullopt;
    return arguments;
}

} // namespace ndlemo::platform
