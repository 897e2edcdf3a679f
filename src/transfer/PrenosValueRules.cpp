#include "transfer/PrenosValueRules.h"

#include "support/TextRules.h"
#include "transfer/TransferTools.h"

#include <string>

namespace ndlemo {

namespace {
constexpr std::string_view ForbiddenCharacters = ";&|`$'\"<>\\";

bool HoldsForbiddenCharacter(std::string_view text) {
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || ForbiddenCharacters.find(c) != std::string_view::npos)
            return true;
    }
    return false;
}

bool IsInstallationFile(std::string_view name) {
    return name == NoFileName || name == PscpFileName || name == PlinkFileName || name == Md5sumFileName;
}
} // namespace

std::string_view KeyFileNamePart(std::string_view pkf) {
    const size_t slash = pkf.rfind('/');
    return slash == std::string_view::npos ? pkf : pkf.substr(slash + 1);
}

bool IsSafeFileName(std::string_view name) {
    return !name.empty() && !HoldsForbiddenCharacter(name) && !name.starts_with('-') &&
           name.find('/') == std::string_view::npos && name != "." && name != "..";
}

bool IsAcceptablePrenosValue(TPrenosValue kind, std::string_view value) {
    const std::string text = TrimWhitespace(value);
    if (kind == TPrenosValue::Port)
        return text.find_first_not_of("0123456789") == std::string::npos;
    if (HoldsForbiddenCharacter(text))
        return false;
    switch (kind) {
    case TPrenosValue::Host:
    case TPrenosValue::User:
        return !text.starts_with('-');
    case TPrenosValue::Pkf:
        return !KeyFileNamePart(text).starts_with('-');
    case TPrenosValue::TestSpojFileName:
        return IsSafeFileName(text) && !IsInstallationFile(text);
    default:
        return true;
    }
}

} // namespace ndlemo
