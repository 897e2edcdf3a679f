#pragma once

#include <string>
#include <string_view>
#include <vector>

// Command-line texts as Windows reads them. The tool command lines are fixed texts written for the Windows
// command interpreter; these rules let our own interpreter give them the same meaning.
namespace ndlemo::platform {

// The first word of a command line and the text after it. A first word that starts with a quote runs to the
// next quote (both removed), otherwise to the first blank; the rest starts after the blanks that follow.
struct TProgramAndRest {
    std::string Program;
    std::string Rest;
};
[[nodiscard]] TProgramAndRest SplitProgramName(std::string_view commandLine);

// The text after "/c" as the command interpreter takes it: leading blanks skipped, and when it then starts with
// a quote and holds more than two quotes, its first and its last quote removed.
[[nodiscard]] std::string InterpreterCommandText(std::string_view text);

// Arguments as a Windows program splits its command line: blanks separate, quotes group and are removed, "" inside
// quotes is one quote, and backslashes count only before a quote (2n backslashes and a quote give n backslashes and
// a grouping quote, 2n+1 give n backslashes and a literal quote).
[[nodiscard]] std::vector<std::string> SplitArguments(std::string_view text);

// One command of the interpreter: its arguments (the first one names the program) and the files of the "<" and ">"
// redirections found outside quotes (empty when there is none). Nothing else has a meaning.
struct TInterpreterCommand {
    std::vector<std::string> Arguments;
    std::string InputFile;
    std::string OutputFile;
};
// False, with the reason in error, when a redirection has no file name.
[[nodiscard]] bool ParseInterpreterCommand(std::string_view text, TInterpreterCommand& command, std::string& error);

} // namespace ndlemo::platform
