#include "transfer/TransferTools.h"

#include "platform/Platform.h"
#include "support/ESubroutineError.h"

#include <system_error>

namespace ndlemo {

std::filesystem::path CommandInterpreterPath(const std::filesystem::path& programDir) {
    return programDir / CommandInterpreterFileName;
}

std::filesystem::path CommandInterpreterPath() {
    return CommandInterpreterPath(platform::ProgramDir());
}

void CheckTransferTools(const std::filesystem::path& programDir, const std::filesystem::path& outDir) {
    const std::filesystem::path files[] = {
        CommandInterpreterPath(programDir),
        outDir / PscpFileName,
        outDir / PlinkFileName,
        outDir / Md5sumFileName,
    };
    for (const auto& file : files) {
        // A directory of that name is no tool.
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec))
            throw ESubroutineError("Soubor \"%s\" neexistuje", file.string());
    }
}

} // namespace ndlemo
