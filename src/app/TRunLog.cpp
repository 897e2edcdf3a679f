#include "app/TRunLog.h"

#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace ndlemo {

namespace fs = std::filesystem;

fs::path TRunLog::LogFileName(const fs::path& programDir, const fs::path& programFileName) {
    fs::path name = programFileName.filename();
    name.replace_extension(".log");
    return UniqueFileName(programDir / name, 2, true);
}

void TRunLog::StartLog(const fs::path& fileName) {
    std::FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f)
        throw ESubroutineError("Soubor \"%s\" nelze vytvořit: %s", fileName.string(), std::strerror(errno));
    if (std::fclose(f) != 0)
        throw ESubroutineError("Soubor \"%s\" nelze vytvořit: %s", fileName.string(), std::strerror(errno));
}

std::string_view TRunLog::LevelMarker(int level) {
    switch (level) {
    case 0:
        return "      ";
    case 2:
        return "W     ";
    case 4:
        return "!!!   ";
    case 8:
        return "!!!!! ";
    case 16:
        return "ERROR ";
    default:
        return "VALUE ";
    }
}

std::string TRunLog::FormatLine(int level, std::string_view text, TDateTime at) {
    int year, month, day, hour, minute, second, msec;
    at.Date().Decode(year, month, day);
    at.DecodeTime(hour, minute, second, msec);
    const std::string& sep = TFormatSettings::Current().DateSeparator;
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d%s%02d%s%04d %02d:%02d:%02d", day, sep.c_str(), month, sep.c_str(), year,
                  hour, minute, second);
    std::string line(LevelMarker(level));
    line += stamp;
    line += ' ';
    line += text;
    return line;
}

void TRunLog::WriteLog(const fs::path& fileName, int level, std::string_view text, std::mutex* lock) noexcept {
    if (fileName.empty())
        return;
    try {
        std::optional<std::lock_guard<std::mutex>> guard;
        if (lock)
            guard.emplace(*lock);
        const std::string bytes = Utf8ToCp1250(FormatLine(level, text, TClock::Now())) + "\r\n";
        std::FILE* f = std::fopen(fileName.c_str(), "ab");
        if (!f)
            return;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    } catch (...) {
        // The log must never disturb the work it records.
    }
}

void TRunLog::Open(const fs::path& programDir, const fs::path& programFileName) {
    fs::path name = LogFileName(programDir, programFileName);
    StartLog(name);
    m_FileName = std::move(name);
}

} // namespace ndlemo
