#pragma once

#include "support/TDateTime.h"

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

namespace ndlemo {

// The run log: one file per run beside the program, one line per event, each line a separate
// open-write-close so that the file is complete whatever happens to the program afterwards.
// Lines are "<6-character level marker><dd.mm.yyyy hh:nn:ss> <text>" in Windows-1250 with CR LF.
class TRunLog {
public:
    static constexpr int LevelInfo = 0;
    static constexpr int LevelError = 16;

    // The program file's name with the extension ".log", in the program directory, with today's YYMMDD in
    // front and "_01", "_02"... appended while the name is taken.
    [[nodiscard]] static std::filesystem::path LogFileName(const std::filesystem::path& programDir,
                                                           const std::filesystem::path& programFileName);
    // Creates the file empty, replacing a file of that name; raises ESubroutineError with the system's reason.
    static void StartLog(const std::filesystem::path& fileName);
    // Appends one line, creating the file when it is gone. Never fails: a line that cannot be written is lost.
    // An empty file name means no log. The lock, when given, is held around the write.
    static void WriteLog(const std::filesystem::path& fileName, int level, std::string_view text,
                         std::mutex* lock = nullptr) noexcept;

    // "      ", "W     ", "!!!   ", "!!!!! ", "ERROR ", or "VALUE " for any other level.
    [[nodiscard]] static std::string_view LevelMarker(int level);
    // The line as UTF-8, without the line end.
    [[nodiscard]] static std::string FormatLine(int level, std::string_view text, TDateTime at);

    // The log of this run: chooses the name and creates the file (raising as StartLog does).
    void Open(const std::filesystem::path& programDir, const std::filesystem::path& programFileName);
    void Write(int level, std::string_view text) const noexcept { WriteLog(m_FileName, level, text); }
    [[nodiscard]] bool IsOpen() const { return !m_FileName.empty(); }
    [[nodiscard]] const std::filesystem::path& FileName() const { return m_FileName; }

private:
    std::filesystem::path m_FileName;
};

} // namespace ndlemo
