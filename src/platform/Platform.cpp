#include "platform/Platform.h"

#include <array>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ndlemo::platform {

namespace {
// Kept in every executable so that its version can be read from the file, as from a version resource.
[[gnu::used]] const char VersionMarker[] = "NDLEMO_PRODUCT_VERSION:" NDLEMO_PRODUCT_VERSION;
constexpr size_t PrefixLength = sizeof("NDLEMO_PRODUCT_VERSION:") - 1;

// "a.b.c.d" with 16-bit numbers, at the start of text up to a zero byte.
bool ParseVersion(std::string_view text, std::string& out) {
    std::array<long, 4> parts{};
    size_t i = 0;
    for (int p = 0; p < 4; ++p) {
        size_t start = i;
        long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 6)
            value = value * 10 + (text[i++] - '0');
        if (i == start || value > 65535)
            return false;
        parts[p] = value;
        if (p < 3) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
    }
    if (i < text.size() && text[i] != '\0')
        return false;
    out = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "." +
          std::to_string(parts[3]);
    return true;
}
} // namespace

fs::path ProgramPath() {
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : p;
}

fs::path ProgramDir() {
    return ProgramPath().parent_path();
}

std::string UserName() {
    std::array<char, 16384> buffer{};
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &pw, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_name)
        return result->pw_name;
    return {};
}

std::string ProductVersion() {
    std::string version;
    if (!ParseVersion(std::string_view(VersionMarker + PrefixLength), version))
        return "0.0.0.0";
    return version;
}

std::string ReadProductVersion(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "0.0.0.0";
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string_view prefix(VersionMarker, PrefixLength);
    for (size_t pos = data.find(prefix); pos != std::string::npos; pos = data.find(prefix, pos + 1)) {
        std::string version;
        std::string_view rest(data.data() + pos + PrefixLength, std::min<size_t>(32, data.size() - pos - PrefixLength));
        if (ParseVersion(rest.substr(0, rest.find('\0')), version))
            return version;
    }
    return "0.0.0.0";
}

fs::path CurrentDirectory() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? fs::path() : p;
}

bool SetCurrentDirectory(const fs::path& dir) {
    std::error_code ec;
    fs::current_path(dir, ec);
    return !ec;
}

fs::path ExpandFullPath(const fs::path& path) {
    std::error_code ec;
    fs::path abs = fs::absolute(path, ec);
    return (ec ? path : abs).lexically_normal();
}

} // namespace ndlemo::platform
