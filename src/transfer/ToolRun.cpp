#include "transfer/ToolRun.h"

#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

namespace ndlemo {

namespace {
// A reason longer than this says nothing more to a clerk.
constexpr size_t MaxReasonCharacters = 200;

// A question such as "Store key in cache? (y/n, Return cancels connection, i for more info) " is answered from the
// tool's input file without an echo, so what the tool writes next continues its line; the question is no reason.
std::string WithoutAnsweredQuestion(const std::string& line) {
    const size_t question = line.rfind("(y/n");
    if (question == std::string::npos)
        return line;
    const size_t close = line.find(')', question);
    if (close == std::string::npos || TrimWhitespace(std::string_view(line).substr(close + 1)).empty())
        return line;
    return line.substr(close + 1);
}

// Passes the output on to the console and keeps the last non-empty line of standard error.
class TToolObserver : public platform::TProcessObserver {
public:
    explicit TToolObserver(TToolConsole& console) : m_Console(console) {}

    void OnOutput(platform::TProcessStream stream, std::string_view bytes) override {
        m_Console.Output(stream, bytes);
        if (stream != platform::TProcessStream::Error)
            return;
        for (char c : bytes) {
            if (c == '\n' || c == '\r')
                EndLine();
            else
                m_Line += c;
        }
    }
    bool OnWait() override { return !m_Console.StopRequested(); }

    std::string Reason() {
        EndLine();
        return m_LastLine;
    }

private:
    void EndLine() {
        std::string text;
        for (char c : ExternalTextToUtf8(m_Line)) {
            const auto b = static_cast<unsigned char>(c);
            text += b < 0x20 || b == 0x7F ? ' ' : c;
        }
        m_Line.clear();
        text = TrimWhitespace(WithoutAnsweredQuestion(text));
        if (!text.empty())
            m_LastLine = std::string(Utf8Left(text, MaxReasonCharacters));
    }

    TToolConsole& m_Console;
    std::string m_Line;
    std::string m_LastLine;
};

class TConsoleSession {
public:
    TConsoleSession(TToolConsole& console, std::string_view toolName) : m_Console(console) { m_Console.Open(toolName); }
    ~TConsoleSession() { m_Console.Close(); }
    TConsoleSession(const TConsoleSession&) = delete;
    TConsoleSession& operator=(const TConsoleSession&) = delete;

private:
    TToolConsole& m_Console;
};
} // namespace

TToolResult RunTool(TToolConsole& console, std::string_view toolName, std::string_view commandLine,
                    const std::filesystem::path& currentDir) {
    TConsoleSession session(console, toolName);
    TToolObserver observer(console);
    const platform::TRunResult run = platform::RunProcess(commandLine, currentDir, platform::ShowNormal, &observer);
    TToolResult result;
    result.ExitCode = run.Started ? run.ExitCode : 1;
    result.Reason = observer.Reason();
    return result;
}

} // namespace ndlemo
