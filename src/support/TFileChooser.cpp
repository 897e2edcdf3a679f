#include "support/TFileChooser.h"

#include "platform/TCurrentDirectoryGuard.h"
#include "support/TextRules.h"

#include <system_error>

namespace ndlemo {

namespace {
TFileChooser*& Installed() {
    static TFileChooser* installed = nullptr;
    return installed;
}
} // namespace

TFileChooser* TFileChooser::Current() {
    return Installed();
}

void TFileChooser::Install(TFileChooser* chooser) {
    Installed() = chooser;
}

bool SelectFile(const std::string& initialDir, const std::string& mask, std::filesystem::path& file) {
    TFileChooser* chooser = TFileChooser::Current();
    if (!chooser)
        return false;
    // Browsing may change the current directory; the program's relative paths must not notice.
    platform::TCurrentDirectoryGuard keep;
    std::filesystem::path start = platform::CurrentDirectory();
    std::error_code ec;
    if (!initialDir.empty() && std::filesystem::is_directory(initialDir, ec))
        start = initialDir;
    std::filesystem::path chosen;
    if (!chooser->Choose(start, TrimWhitespace(mask), chosen))
        return false;
    file = chosen;
    return true;
}

} // namespace ndlemo
