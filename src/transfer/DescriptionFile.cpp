#include "transfer/DescriptionFile.h"

#include "support/ESubroutineError.h"
#include "support/TextCodec.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ndlemo {

void SaveDescriptionFile(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += Utf8ToCp1250(line) + "\r\n";
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        throw ESubroutineError("Soubor \"%s\" nelze vytvořit: %s", file.string(), std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int error = errno;
    if (std::fclose(f) != 0 || !written)
        throw ESubroutineError("Soubor \"%s\" nelze vytvořit: %s", file.string(),
                               std::strerror(written ? errno : error));
}

} // namespace ndlemo
