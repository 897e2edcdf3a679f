#include "app/TRunLog.h"

#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class RunLogFixture : public ::testing::Test {
protected:
    void SetUp() override { TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 9, 5, 7, 600)); }
    void TearDown() override {
        TClock::SetNow(std::nullopt);
        TFormatSettings::Set(TFormatSettings());
    }
    std::string Read(const fs::path& file) const { return m_Temp.ReadFile(file); }
    test::TTestTempDir m_Temp{"log"};
    const fs::path m_Dir = m_Temp.Path();
};
} // namespace

TEST_F(RunLogFixture, FileNameHasTheDatePrefixAndATwoDigitCounter) {
    EXPECT_EQ(TRunLog::LogFileName(m_Dir, "NdLemo.exe"), m_Dir / "240315NdLemo.log");
    EXPECT_EQ(TRunLog::LogFileName(m_Dir, "/opt/ndlemo/NdLemo"), m_Dir / "240315NdLemo.log");
    // A program file that already starts with today's date does not get it twice.
    EXPECT_EQ(TRunLog::LogFileName(m_Dir, "240315NdLemo.exe"), m_Dir / "240315NdLemo.log");

    TRunLog first, second, third;
    first.Open(m_Dir, "NdLemo.exe");
    second.Open(m_Dir, "NdLemo.exe");
    third.Open(m_Dir, "NdLemo.exe");
    EXPECT_EQ(first.FileName(), m_Dir / "240315NdLemo.log");
    EXPECT_EQ(second.FileName(), m_Dir / "240315NdLemo_01.log");
    EXPECT_EQ(third.FileName(), m_Dir / "240315NdLemo_02.log");
    EXPECT_TRUE(fs::exists(third.FileName()));
    EXPECT_EQ(fs::file_size(third.FileName()), 0u);
}

TEST_F(RunLogFixture, LevelMarkersAreSixCharacters) {
    const std::pair<int, const char*> rows[] = {{0, "      "},  {2, "W     "},  {4, "!!!   "},
                                                {8, "!!!!! "},  {16, "ERROR "}, {1, "VALUE "},
                                                {32, "VALUE "}, {-1, "VALUE "}, {256, "VALUE "}};
    for (const auto& [level, marker] : rows)
        EXPECT_EQ(TRunLog::LevelMarker(level), marker) << level;
}

TEST_F(RunLogFixture, LinesAreCp1250WithCrLfAndTheStampInColumnSeven) {
    TRunLog log;
    log.Open(m_Dir, "NdLemo.exe");
    log.Write(TRunLog::LevelInfo, "Program spuštěn (uživatel Jiří)");
    log.Write(TRunLog::LevelError, "Chybné heslo");
    EXPECT_EQ(Read(log.FileName()), "      15.03.2024 09:05:07 Program spu\x9At\xECn (u\x9Eivatel Ji\xF8\xED)\r\n"
                                    "ERROR 15.03.2024 09:05:07 Chybn\xE9 heslo\r\n");
}

TEST_F(RunLogFixture, StampUsesTheSystemDateSeparatorAndTheTwentyFourHourClock) {
    TFormatSettings slash;
    slash.DateSeparator = "/";
    TFormatSettings::Set(slash);
    EXPECT_EQ(TRunLog::FormatLine(2, "x", TDateTime::FromParts(2023, 12, 1, 23, 59, 58)),
              "W     01/12/2023 23:59:58 x");
}

TEST_F(RunLogFixture, ALineAfterTheFileWasDeletedRecreatesIt) {
    TRunLog log;
    log.Open(m_Dir, "NdLemo.exe");
    log.Write(0, "first");
    fs::remove(log.FileName());
    log.Write(0, "second");
    EXPECT_EQ(Read(log.FileName()), "      15.03.2024 09:05:07 second\r\n");
}

TEST_F(RunLogFixture, WritesNeverFailTowardsTheCaller) {
    // No log yet: nothing is written anywhere.
    TRunLog none;
    EXPECT_FALSE(none.IsOpen());
    EXPECT_NO_THROW(none.Write(16, "lost"));
    EXPECT_TRUE(fs::is_empty(m_Dir));

    // The directory is gone: the line is lost silently.
    EXPECT_NO_THROW(TRunLog::WriteLog(m_Dir / "gone" / "x.log", 0, "lost"));
    EXPECT_FALSE(fs::exists(m_Dir / "gone"));

    // With a lock the line is written the same way.
    std::mutex lock;
    TRunLog::WriteLog(m_Dir / "locked.log", 0, "a", &lock);
    EXPECT_EQ(Read(m_Dir / "locked.log"), "      15.03.2024 09:05:07 a\r\n");
    EXPECT_TRUE(lock.try_lock());
    lock.unlock();
}

TEST_F(RunLogFixture, StartLogEmptiesAnExistingFileAndFailsLoudlyWhenItCannotCreate) {
    m_Temp.WriteFile("old.log", "old line\r\n");
    TRunLog::StartLog(m_Dir / "old.log");
    EXPECT_EQ(fs::file_size(m_Dir / "old.log"), 0u);

    TRunLog log;
    EXPECT_THROW(log.Open(m_Dir / "missing", "NdLemo.exe"), ESubroutineError);
    EXPECT_FALSE(log.IsOpen());
}
