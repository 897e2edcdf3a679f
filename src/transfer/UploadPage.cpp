#include "transfer/UploadPage.h"

#include "platform/DesktopServices.h"
#include "support/ESubroutineError.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace ndlemo {

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != lower[i])
            return false;
    return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view lower) {
    return text.size() >= lower.size() && EqualsIgnoringCase(text.substr(text.size() - lower.size()), lower);
}

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7f;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The path as the handler will read it; none for a broken escape or an escaped control character.
std::optional<std::string> Unescaped(std::string_view path) {
    std::string text;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '%') {
            text += path[i];
            continue;
        }
        const int high = i + 2 < path.size() ? HexDigit(path[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(path[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        const char c = static_cast<char>(high * 16 + low);
        if (IsControl(c))
            return std::nullopt;
        text += c;
        i += 2;
    }
    return text;
}

void RequireUploadPageAddress(const std::string& address) {
    if (!IsUploadPageAddress(address))
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", address, UploadPageCaption);
}
} // namespace

bool IsUploadPageAddress(std::string_view address) {
    for (char c : address)
        if (IsControl(c))
            return false;
    const size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos)
        return false;
    const std::string_view scheme = address.substr(0, schemeEnd);
    const bool file = EqualsIgnoringCase(scheme, "file");
    if (!file && !EqualsIgnoringCase(scheme, "http") && !EqualsIgnoringCase(scheme, "https"))
        return false;

    const std::string_view rest = address.substr(schemeEnd + 3);
    const size_t pathStart = std::min(rest.find_first_of("/?#"), rest.size());
    const std::string_view authority = rest.substr(0, pathStart);
    if ((!file && authority.empty()) || authority.find_first_of(" \\") != std::string_view::npos)
        return false;
    const size_t pathEnd = std::min(rest.find_first_of("?#", pathStart), rest.size());
    const std::string_view path = rest.substr(pathStart, pathEnd - pathStart);
    if (path.empty() || path.front() != '/')
        return false;
    const std::optional<std::string> page = Unescaped(path);
    return page && (EndsWithIgnoringCase(*page, ".html") || EndsWithIgnoringCase(*page, ".htm"));
}

void OpenUploadPage(const std::string& address) {
    if (address.empty())
        return;
    RequireUploadPageAddress(address);
    platform::OpenWithDefaultHandler(address);
}

void OpenUploadPageNewWindow(const std::string& address) {
    if (address.empty())
        return;
    RequireUploadPageAddress(address);
    std::vector<std::string> command = platform::DefaultBrowserCommand();
    if (command.empty()) {
        platform::OpenWithDefaultHandler(address);
        return;
    }
    command.push_back(address);
    platform::StartDetached(command);
}

} // namespace ndlemo
