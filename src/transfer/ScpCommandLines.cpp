#include "transfer/ScpCommandLines.h"

#include "support/ESubroutineError.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/LetterScramble.h"
#include "transfer/TransferTools.h"

#include <system_error>

namespace ndlemo {

namespace {
constexpr const char* BadValue = "Nepřípustná hodnota \"%s\" pro \"%s\"";

[[noreturn]] void Refuse(std::string_view value, TPrenosValue which) {
    throw ESubroutineError(BadValue, value, PrenosValueCaption(which));
}

// The trimmed setting, or the refusal.
std::string Checked(std::string_view value, TPrenosValue which) {
    std::string text = TrimWhitespace(value);
    if (text.empty() || ContainsSpace(text) || !IsAcceptablePrenosValue(which, text))
        Refuse(text, which);
    return text;
}

std::string CheckedKeyFile(std::string_view pkf) {
    const std::string checked = Checked(pkf, TPrenosValue::Pkf);
    const std::string name(KeyFileNamePart(checked));
    if (name.empty())
        Refuse(checked, TPrenosValue::Pkf);
    return name;
}

std::string CheckedDir(std::string_view dir, TPrenosValue which) {
    std::string text(dir);
    if (text.size() < 2 || !text.starts_with('/') || ContainsSpace(text) || !IsAcceptablePrenosValue(which, text))
        Refuse(text, which);
    return text;
}

std::string CheckedInputFile(std::string_view inputFile) {
    // Not a setting, but it stands on the command line all the same.
    if (ContainsSpace(inputFile) || !IsSafeFileName(inputFile))
        throw ESubroutineError(BadValue, inputFile, NoFileName);
    return std::string(inputFile);
}

std::string InterpreterPrefix(const std::filesystem::path& interpreter) {
    return Quoted(interpreter.string()) + " /c ";
}
} // namespace

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

std::string NormalizeRemoteDir(std::string_view setting, TPrenosValue which) {
    std::string dir = TrimWhitespace(setting);
    if (dir.ends_with('/'))
        dir.pop_back();
    if (dir.size() < 2 || !dir.starts_with('/'))
        Refuse(dir, which);
    return CheckedDir(dir, which);
}

void CheckPackageName(std::string_view name) {
    const std::string trimmed = TrimWhitespace(name);
    if (trimmed.empty() || trimmed != name || ContainsSpace(name) || !IsSafeFileName(name))
        throw ESubroutineError("Chybné jméno \"%s\" přenášeného souboru", name);
}

std::string PscpSendArgs(const TransferSettings& settings, const std::filesystem::path& outDir, std::string_view name,
                         std::string_view remoteDir, std::string_view inputFile, std::string_view keyFile) {
    CheckPackageName(name);
    const std::filesystem::path package = outDir / (std::string(name) + ".zip");
    std::error_code ec;
    if (!std::filesystem::exists(package, ec))
        throw ESubroutineError("Soubor \"%s\" neexistuje", package.string());
    return "-P " + Checked(settings.Port, TPrenosValue::Port) + " " + "-i " + CheckedKeyFile(keyFile) + " " + "-pw " +
           BuiltInScpPassword() + " " + std::string(name) + ".zip" + " " + Checked(settings.User, TPrenosValue::User) +
           "@" + Checked(settings.Host, TPrenosValue::Host) + ":" + CheckedDir(remoteDir, TPrenosValue::OutDir) +
           " < " + CheckedInputFile(inputFile);
}

std::string PlinkMd5Args(const TransferSettings& settings, std::string_view name, std::string_view remoteDir,
                         std::string_view inputFile, std::string_view keyFile) {
    CheckPackageName(name);
    return "-P " + Checked(settings.Port, TPrenosValue::Port) + " -ssh " + "-i " + CheckedKeyFile(keyFile) + " " +
           "-pw " + BuiltInScpPassword() + " " + Checked(settings.User, TPrenosValue::User) + "@" +
           Checked(settings.Host, TPrenosValue::Host) + " < " + CheckedInputFile(inputFile) + " " + "\"cd " +
           CheckedDir(remoteDir, TPrenosValue::OutDir) + "; " + "/usr/local/bin/md5sum " + std::string(name) + ".zip" +
           "\"" + " > " + "./" + std::string(name) + ".md5";
}

std::string PscpTestArgs(const TransferSettings& settings, std::string_view testFileName, std::string_view testDir,
                         std::string_view inputFile, std::string_view keyFile) {
    const std::string file = Checked(testFileName, TPrenosValue::TestSpojFileName);
    return "-P " + Checked(settings.Port, TPrenosValue::Port) + " " + "-i " + CheckedKeyFile(keyFile) + " " + "-pw " +
           BuiltInScpPassword() + " " + Checked(settings.User, TPrenosValue::User) + "@" +
           Checked(settings.Host, TPrenosValue::Host) + ":" + CheckedDir(testDir, TPrenosValue::TestSpojDir) + "/" +
           file + " " + file + " < " + CheckedInputFile(inputFile);
}

std::string Md5CheckArgs(std::string_view name) {
    CheckPackageName(name);
    return "-c " + std::string(name) + ".md5";
}

std::string UploadCommandLine(const std::filesystem::path& interpreter, const std::filesystem::path& outDir,
                              const TransferSettings& settings, std::string_view name, std::string_view remoteDir) {
    return InterpreterPrefix(interpreter) + Quoted((outDir / PscpFileName).string()) + " " +
           PscpSendArgs(settings, outDir, name, remoteDir, NoFileName, settings.Pkf);
}

std::string ServerMd5CommandLine(const std::filesystem::path& interpreter, const std::filesystem::path& outDir,
                                 const TransferSettings& settings, std::string_view name, std::string_view remoteDir) {
    return InterpreterPrefix(interpreter) + Quoted(Quoted((outDir / PlinkFileName).string()) + " " +
                                                   PlinkMd5Args(settings, name, remoteDir, NoFileName, settings.Pkf));
}

std::string LocalCheckCommandLine(const std::filesystem::path& interpreter, const std::filesystem::path& outDir,
                                  std::string_view name) {
    CheckPackageName(name);
    return InterpreterPrefix(interpreter) +
           Quoted(Quoted((outDir / Md5sumFileName).string()) + " -c " + std::string(name) + ".md5");
}

std::string ConnectionTestCommandLine(const std::filesystem::path& interpreter, const std::filesystem::path& outDir,
                                      const TransferSettings& settings, std::string_view testDir) {
    return InterpreterPrefix(interpreter) + Quoted((outDir / PscpFileName).string()) + " " +
           PscpTestArgs(settings, settings.TestSpojFileName, testDir, NoFileName, settings.Pkf);
}

} // namespace ndlemo
