#include "support/Utilities.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TextCodec.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ESubroutineError& e) {
        return e.what();
    }
    return "(no error)";
}

class FixedClock {
public:
    FixedClock(int y, int m, int d) { TClock::SetNow(TDateTime::FromParts(y, m, d, 14, 25, 3, 123)); }
    ~FixedClock() { TClock::SetNow(std::nullopt); }
};
} // namespace

TEST(RoundTo2, HalvesGoAwayFromZero) {
    struct Row {
        double in, out;
    } rows[] = {{0.125, 0.13},   {-0.125, -0.13},   {1.005, 1.0},
                {2.675, 2.68},   {0.0, 0.0},        {12.344, 12.34},
                {12.345, 12.35}, {-12.345, -12.35}, {1e6 + 0.005, 1e6 + 0.01}};
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(RoundTo2(r.in), r.out) << r.in;
}

TEST(TextRoutines, PadRemoveZeroPad) {
    EXPECT_EQ(PadText("123", "x", 10, true), "xxxxxxx123");
    EXPECT_EQ(PadText("123", "?", 5, false), "123??");
    EXPECT_EQ(PadText("12345678901", "x", 10, true), "12345678901");
    EXPECT_EQ(PadText("čř", "0", 4, true), "00čř"); // characters, not bytes
    EXPECT_EQ(RemoveSpaces(" 1 2\t3 "), "12\t3");
    EXPECT_EQ(ZeroPadInt(7, 3), "007");
    EXPECT_EQ(ZeroPadInt(12345, 3), "12345");
}

TEST(DateRoutines, LastDayOfMonth) {
    EXPECT_EQ(LastDayOfMonth(2024, 2), TDate::FromYmd(2024, 2, 29));
    EXPECT_EQ(LastDayOfMonth(2023, 2), TDate::FromYmd(2023, 2, 28));
    EXPECT_EQ(LastDayOfMonth(1900, 2), TDate::FromYmd(1900, 2, 28));
    EXPECT_EQ(LastDayOfMonth(2000, 2), TDate::FromYmd(2000, 2, 29));
    EXPECT_EQ(LastDayOfMonth(3000, 12), TDate::FromYmd(3000, 12, 31));
    EXPECT_EQ(LastDayOfMonth(2024, 4), TDate::FromYmd(2024, 4, 30));
    EXPECT_EQ(MessageOf([] { (void)LastDayOfMonth(1899, 5); }), "Nepřípustná hodnota \"1899\" pro \"Rok\"");
    EXPECT_EQ(MessageOf([] { (void)LastDayOfMonth(3001, 5); }), "Nepřípustná hodnota \"3001\" pro \"Rok\"");
    EXPECT_EQ(MessageOf([] { (void)LastDayOfMonth(2024, 13); }), "Nepřípustná hodnota \"13\" pro \"Měsíc\"");
    EXPECT_EQ(MessageOf([] { (void)LastDayOfMonth(2024, 0); }), "Nepřípustná hodnota \"0\" pro \"Měsíc\"");
}

TEST(DateRoutines, EncodeDateBackward) {
    EXPECT_EQ(EncodeDateBackward(2023, 2, 31), TDate::FromYmd(2023, 2, 28));
    EXPECT_EQ(EncodeDateBackward(2024, 2, 30), TDate::FromYmd(2024, 2, 29));
    EXPECT_EQ(EncodeDateBackward(2024, 4, 31), TDate::FromYmd(2024, 4, 30));
    EXPECT_EQ(EncodeDateBackward(2024, 1, 45), TDate::FromYmd(2024, 1, 31));
    EXPECT_EQ(EncodeDateBackward(1900, 1, 1), TDate::FromYmd(1900, 1, 1));
    EXPECT_EQ(MessageOf([] { (void)EncodeDateBackward(2023, 13, 1); }), "Nepřípustná hodnota 1.13.2023 pro datum");
    EXPECT_EQ(MessageOf([] { (void)EncodeDateBackward(2023, 5, 0); }), "Nepřípustná hodnota 0.5.2023 pro datum");
    EXPECT_EQ(MessageOf([] { (void)EncodeDateBackward(1899, 12, 31); }), "Nepřípustná hodnota \"1899\" pro \"Rok\"");
}

TEST(DateRoutines, TimeStampHasTwentyDigits) {
    FixedClock clock(2024, 1, 31);
    std::string stamp = MakeTimeStamp();
    ASSERT_EQ(stamp.size(), 20u);
    EXPECT_EQ(stamp.substr(0, 17), "20240131142503123");
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos);
}

TEST(TranslateChars, AllFiftyTwoLettersBetweenTheCodePages) {
    const std::string letters = "áäčćďéěëíľĺňńóöřŕšśťúůüýžźÁÄČĆĎÉĚËÍĽĹŇŃÓÖŘŔŠŚŤÚŮÜÝŽŹ";
    const std::string cp852 = "\xA0\x84\x9F\x86\xD4\x82\xD8\x89\xA1\x96\x92\xE5\xE4\xA2\x94\xFD\xEA\xE7\x98\x9C\xA3"
                              "\x85\x81\xEC\xA7\xAB\xB5\x8E\xAC\x8F\xD2\x90\xB7\xD3\xD6\x95\x91\xD5\xE3\xE0\x99\xFC"
                              "\xE8\xE6\x97\x9B\xE9\xDE\x9A\xED\xA6\x8D";
    ASSERT_EQ(cp852.size(), 52u);
    std::string cp1250 = TranslateChars(1, 0, cp852);
    EXPECT_EQ(Cp1250ToUtf8(cp1250), letters);
    EXPECT_EQ(TranslateChars(0, 1, cp1250), cp852);
    std::string iso = TranslateChars(0, 2, cp1250);
    EXPECT_EQ(TranslateChars(2, 1, iso), cp852);
    EXPECT_EQ(static_cast<unsigned char>(TranslateChars(1, 0, "\x9F")[0]), 0xE8); // č
    EXPECT_EQ(TranslateChars(1, 0, "AZaz09 ,.-"), "AZaz09 ,.-");
    // Other bytes of code page 852 (box drawing) pass unchanged.
    EXPECT_EQ(TranslateChars(1, 0, "\xC4\xB3"), "\xC4\xB3");
}

TEST(FileRoutines, DeleteFilesByMask) {
    TTestTempDir dir;
    dir.WriteFile("a.tmp", "x");
    dir.WriteFile("B.TMP", "x");
    dir.WriteFile("keep.txt", "x");
    dir.WriteFile("ro.tmp", "x");
    fs::create_directory(dir.Path() / "sub.tmp");
    fs::permissions(dir.Path() / "ro.tmp", fs::perms::owner_read, fs::perm_options::replace);
    DeleteFilesByMask(dir.Path() / "*.tmp");
    EXPECT_FALSE(fs::exists(dir.Path() / "a.tmp"));
    EXPECT_FALSE(fs::exists(dir.Path() / "B.TMP"));
    EXPECT_FALSE(fs::exists(dir.Path() / "ro.tmp"));
    EXPECT_TRUE(fs::exists(dir.Path() / "keep.txt"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "sub.tmp"));
    EXPECT_NO_THROW(DeleteFilesByMask(dir.Path() / "*.none"));
    EXPECT_NO_THROW(DeleteFilesByMask(dir.Path() / "missing" / "*.tmp"));
}

TEST(FileRoutines, DeleteFilesByMaskRemovesALinkAndLeavesItsTarget) {
    TTestTempDir dir;
    dir.WriteFile("target.txt", "x");
    fs::create_directory(dir.Path() / "work");
    fs::create_symlink(dir.Path() / "target.txt", dir.Path() / "work" / "a.tmp");
    fs::create_symlink(dir.Path() / "missing.txt", dir.Path() / "work" / "b.tmp");
    DeleteFilesByMask(dir.Path() / "work" / "*.tmp");
    EXPECT_TRUE(fs::is_empty(dir.Path() / "work"));
    EXPECT_EQ(dir.ReadFile("target.txt"), "x");
}

TEST(FileRoutines, DeleteFilesByMaskReportsTheFailure) {
    // Files of /proc can neither be changed nor deleted, not even by root.
    const std::string mask = "/proc/self/com?";
    EXPECT_EQ(MessageOf([&] {
                  DeleteFilesByMask(mask);
              }).rfind("Při výmazu souborů dle masky: \"" + mask + "\" nastala chyba: ", 0),
              0u);
}

TEST(FileRoutines, UniqueFileNameWithDatePrefix) {
    FixedClock clock(2024, 1, 31);
    TTestTempDir dir;
    EXPECT_EQ(UniqueFileName(dir.Path() / "a.log", 2, true), dir.Path() / "240131a.log");
    dir.WriteFile("240131a.log", "x");
    EXPECT_EQ(UniqueFileName(dir.Path() / "a.log", 2, true), dir.Path() / "240131a_01.log");
    dir.WriteFile("240131a_01.log", "x");
    EXPECT_EQ(UniqueFileName(dir.Path() / "a.log", 2, true), dir.Path() / "240131a_02.log");
    // Already prefixed with today: no second prefix.
    EXPECT_EQ(UniqueFileName(dir.Path() / "240131a.log", 2, true), dir.Path() / "240131a_02.log");
    EXPECT_EQ(UniqueFileName(dir.Path() / "noext", 2, true), dir.Path() / "240131noext");
}

TEST(FileRoutines, UniqueFileNameWithoutPrefix) {
    TTestTempDir dir;
    EXPECT_EQ(UniqueFileName(dir.Path() / "f.pdf", 3, false), dir.Path() / "f.pdf");
    dir.WriteFile("f.pdf", "x");
    EXPECT_EQ(UniqueFileName(dir.Path() / "f.pdf", 3, false), dir.Path() / "f_001.pdf");
    dir.WriteFile("x.y.z", "x");
    EXPECT_EQ(UniqueFileName(dir.Path() / "x.y.z", 1, false), dir.Path() / "x.y_1.z");
}

// A trailing ".*" also takes names without an extension, as on Windows, where the clear of the report
// copies relies on it; every other part of a mask still has to match.
TEST(TextRoutines, TrailingDotStarTakesNamesWithoutExtension) {
    struct Row {
        const char* Name;
        const char* Mask;
        bool Matches;
    };
    const Row rows[] = {
        {"tmp_lz_007", "tmp_lz_*.*", true},
        {"tmp_lz_007.pdf", "tmp_lz_*.*", true},
        {"TMP_LZ_007.PDF", "tmp_lz_*.*", true},
        {"tmp_lz_007.tar.gz", "tmp_lz_*.*", true},
        {"tmp_file", "tmp_file.*", true},
        {"tmp_file.001", "tmp_file.*", true},
        {"tmp_files", "tmp_file.*", false},
        {"tmp_lx_007", "tmp_lz_*.*", false},
        {"readme", "*.*", true},
        {"abc", "*.tmp", false},
        {"abc", "abc.?", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MatchesMask(row.Name, row.Mask), row.Matches) << row.Name << " / " << row.Mask;
}

TEST(FileRoutines, DeleteFilesByMaskTakesACopyWithoutExtension) {
    TTestTempDir dir;
    dir.WriteFile("tmp_lz_007", "x");
    dir.WriteFile("tmp_lz_008.pdf", "x");
    dir.WriteFile("tmp_file.001", "x");
    DeleteFilesByMask(dir.Path() / "tmp_lz_*.*");
    EXPECT_FALSE(fs::exists(dir.Path() / "tmp_lz_007"));
    EXPECT_FALSE(fs::exists(dir.Path() / "tmp_lz_008.pdf"));
    EXPECT_TRUE(fs::exists(dir.Path() / "tmp_file.001"));
}

TEST(TextRoutines, MaskAndUpperCase) {
    EXPECT_TRUE(MatchesMask("abc.TMP", "*.tmp"));
    EXPECT_TRUE(MatchesMask("a1.txt", "a?.txt"));
    EXPECT_FALSE(MatchesMask("a12.txt", "a?.txt"));
    EXPECT_TRUE(MatchesMask("x", "*"));
    EXPECT_FALSE(MatchesMask("abc", "*.tmp"));
    EXPECT_EQ(UpperCase("/home/přenos/odeslané-žluť"), "/HOME/PŘENOS/ODESLANÉ-ŽLUŤ");
    EXPECT_EQ(UpperCase("ľĺňń"), "ĽĹŇŃ");
}

TEST(SystemRoutines, UserAndVersion) {
    EXPECT_FALSE(GetWindowsUserName().empty());
    EXPECT_EQ(GetProductVersion("/nonexistent/file"), "0.0.0.0");
    EXPECT_EQ(GetProductVersion("/bin/sh"), "0.0.0.0");
}
