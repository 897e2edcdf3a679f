#include "invoice/SentPackages.h"

#include "support/Utilities.h"

#include <algorithm>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
void Search(const fs::path& dir, std::string_view mask, size_t limit, std::vector<fs::path>& found) {
    std::vector<fs::path> files;
    std::vector<fs::path> dirs;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        // A link to a directory is not followed: the archive must not be searched in a loop.
        if (it->is_directory(typeError) && !it->is_symlink(typeError))
            dirs.push_back(it->path());
        else if (it->is_regular_file(typeError))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::sort(dirs.begin(), dirs.end());
    for (const fs::path& file : files) {
        if (found.size() >= limit)
            return;
        if (MatchesMask(file.filename().string(), mask))
            found.push_back(file);
    }
    for (const fs::path& sub : dirs) {
        if (found.size() >= limit)
            return;
        Search(sub, mask, limit, found);
    }
}
} // namespace

std::vector<fs::path> FindSentPackages(const fs::path& root, std::string_view mask, size_t limit) {
    std::vector<fs::path> found;
    if (limit > 0)
        Search(root, mask, limit, found);
    return found;
}

} // namespace ndlemo
