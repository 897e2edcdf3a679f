#include "transfer/TestConnection.h"

#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/ScpCommandLines.h"
#include "transfer/TBusyCursor.h"
#include "transfer/TStderrToolConsole.h"
#include "transfer/ToolRun.h"
#include "transfer/TransferTools.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
void CheckExists(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw ESubroutineError("Soubor \"%s\" neexistuje", file.string());
}

// The test file lands in DirOut and is deleted there before every test: it must not name anything else.
void CheckTestFileName(const TransferSettings& s) {
    const std::string& name = s.TestSpojFileName;
    if (TrimWhitespace(name).empty() || ContainsSpace(name) ||
        !IsAcceptablePrenosValue(TPrenosValue::TestSpojFileName, name) ||
        TrimWhitespace(name) == KeyFileNamePart(TrimWhitespace(s.Pkf)))
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", name,
                               PrenosValueCaption(TPrenosValue::TestSpojFileName));
}

// The lines of a text, each ended by CR LF; CR LF, LF and a lone CR end a line.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        out.append(text.substr(start, i - start));
        out += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size()) {
        out.append(text.substr(start));
        out += "\r\n";
    }
    return out;
}
} // namespace

std::string TestConnection(const TTransferContext& context) {
    const TransferSettings& s = context.Prenos;
    CheckTestFileName(s);
    std::error_code ec;
    if (context.DirOut.empty() || !fs::is_directory(context.DirOut, ec))
        throw ESubroutineError("Adresář \"%s\" neexistuje.", context.DirOut.string());
    const fs::path local = context.DirOut / TrimWhitespace(s.TestSpojFileName);
    const fs::file_status stale = fs::symlink_status(local, ec);
    if (fs::is_regular_file(stale) || fs::is_symlink(stale))
        fs::remove(local, ec);

    TBusyCursorGuard busy;
    CheckExists(context.DirOut / fs::path(s.Pkf).relative_path());
    CheckExists(context.DirOut / NoFileName);
    const std::string testDir = NormalizeRemoteDir(s.TestSpojDir, TPrenosValue::TestSpojDir);
    CheckTransferTools(context.ProgramDir, context.DirOut);

    static TStderrToolConsole standardError;
    TToolConsole& console = context.Console ? *context.Console : standardError;
    const TToolResult run =
        RunTool(console, PscpFileName,
                ConnectionTestCommandLine(CommandInterpreterPath(context.ProgramDir), context.DirOut, s, testDir),
                context.DirOut);
    if (run.ExitCode != 0) {
        const std::string message =
            FormatText("Test spojení skončil chybou: %d (%s) (Host:\"%s\", Port:\"%s\", Dir:\"%s\")", run.ExitCode,
                       run.Reason, s.Host, s.Port, s.TestSpojDir);
        if (context.Log)
            context.Log(16, message);
        throw ESubroutineError(message);
    }
    if (!fs::is_regular_file(local, ec))
        throw ESubroutineError("Soubor testu spojení \"%s\" neexistuje", local.string());
    std::ifstream in(local, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return WithCrLf(ExternalTextToUtf8(bytes));
}

std::optional<std::string> ExecuteTestSpojeni(const TTransferContext& context,
                                              const std::function<void(TRequestList&)>& showRequests) {
    TRequestList requests;
    ValidatePrenosSettings(context.Prenos, requests);
    if (requests.Count() > 0) {
        if (showRequests)
            showRequests(requests);
        return std::nullopt;
    }
    return TestConnection(context);
}

} // namespace ndlemo
