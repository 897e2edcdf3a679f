#include "platform/CommandLine.h"

#include <algorithm>

namespace ndlemo::platform {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsRedirection(char c) {
    return c == '<' || c == '>';
}

void SkipBlanks(std::string_view text, size_t& i) {
    while (i < text.size() && IsBlank(text[i]))
        ++i;
}

// Reads one argument from i on; stops at a blank outside quotes and, when asked, at "<" or ">" outside quotes.
// Sets consumed when the argument had any character, so that "" gives an empty argument.
std::string ReadArgument(std::string_view text, size_t& i, bool stopAtRedirection, bool& consumed) {
    std::string arg;
    bool inQuotes = false;
    consumed = false;
    while (i < text.size()) {
        const char c = text[i];
        if (!inQuotes && (IsBlank(c) || (stopAtRedirection && IsRedirection(c))))
            break;
        consumed = true;
        if (c == '\\') {
            size_t count = 0;
            while (i < text.size() && text[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                arg.append(count / 2, '\\');
                if (count % 2 == 1) {
                    arg += '"';
                    ++i;
                }
            } else {
                arg.append(count, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
                arg += '"';
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        arg += c;
        ++i;
    }
    return arg;
}
} // namespace

TProgramAndRest SplitProgramName(std::string_view commandLine) {
    TProgramAndRest result;
    size_t i = 0;
    SkipBlanks(commandLine, i);
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', i + 1);
        const size_t end = close == std::string_view::npos ? commandLine.size() : close;
        result.Program = std::string(commandLine.substr(i + 1, end - i - 1));
        i = close == std::string_view::npos ? end : close + 1;
    } else {
        const size_t start = i;
        while (i < commandLine.size() && !IsBlank(commandLine[i]))
            ++i;
        result.Program = std::string(commandLine.substr(start, i - start));
    }
    SkipBlanks(commandLine, i);
    result.Rest = std::string(commandLine.substr(i));
    return result;
}

std::string InterpreterCommandText(std::string_view text) {
    size_t i = 0;
    SkipBlanks(text, i);
    std::string command(text.substr(i));
    if (!command.empty() && command.front() == '"' && std::count(command.begin(), command.end(), '"') > 2) {
        command.erase(command.rfind('"'), 1);
        command.erase(0, 1);
    }
    return command;
}

std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    for (SkipBlanks(text, i); i < text.size(); SkipBlanks(text, i)) {
        bool consumed = false;
        args.push_back(ReadArgument(text, i, false, consumed));
    }
    return args;
}

bool ParseInterpreterCommand(std::string_view text, TInterpreterCommand& command, std::string& error) {
    command = {};
    size_t i = 0;
    for (SkipBlanks(text, i); i < text.size(); SkipBlanks(text, i)) {
        bool consumed = false;
        if (!IsRedirection(text[i])) {
            command.Arguments.push_back(ReadArgument(text, i, true, consumed));
            continue;
        }
        const char kind = text[i++];
        SkipBlanks(text, i);
        std::string file;
        if (i < text.size() && !IsRedirection(text[i]))
            file = ReadArgument(text, i, true, consumed);
        if (file.empty()) {
            error = std::string("Chybí jméno souboru za \"") + kind + "\".";
            return false;
        }
        (kind == '<' ? command.InputFile : command.OutputFile) = file;
    }
    return true;
}

} // namespace ndlemo::platform
