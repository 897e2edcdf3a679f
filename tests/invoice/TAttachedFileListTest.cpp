#include "invoice/TAttachedFileList.h"

#include "invoice/TdtmPrijem.h"
#include "support/ESubroutineError.h"
#include "support/TQsStreamDataSet.h"
#include "support/TScriptedFileChooser.h"

#include "TestFileSizeLimit.h"
#include "TestLockedFile.h"
#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace ndlemo;
using ndlemo::test::TFileSizeLimit;
namespace fs = std::filesystem;

namespace {

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no error)";
}

class AttachedFileListTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_Work);
        fs::create_directories(m_Src);
    }

    TAttachedFileList& List(TFileListKind kind) { return kind == TFileListKind::Batch ? m_Batch : m_Reports; }

    fs::path Source(const std::string& name, const std::string& bytes = "obsah") {
        m_Temp.WriteFile(m_Src / name, bytes);
        return m_Src / name;
    }

    // A field of every record, in the table's order.
    static std::vector<std::string> Column(TQsStreamDataSet& table, const std::string& field) {
        std::vector<std::string> values;
        for (int32_t record : table.LiveRecords())
            values.push_back(table.TextAt(record, table.FieldIndex(field)));
        return values;
    }

    std::set<std::string> WorkFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_Work))
            names.insert(entry.path().filename().string());
        return names;
    }

    // Makes the n-th record (0-based) the current one, as choosing a grid row does.
    static void GoTo(TQsStreamDataSet& table, size_t n) { table.GotoBookmark(table.LiveRecords().at(n)); }

    test::TTestTempDir m_Temp{"files"};
    const fs::path m_Work = m_Temp.Path() / "pracovni";
    const fs::path m_Src = m_Temp.Path() / "zdroj";
    TdtmPrijem m_Dtm;
    TAttachedFileList m_Batch{TFileListKind::Batch, m_Dtm.qssPRS, m_Work};
    TAttachedFileList m_Reports{TFileListKind::Report, m_Dtm.qssLZ, m_Work};
};

// ---- naming and numbering ------------------------------------------------------------------------------

TEST_F(AttachedFileListTest, FirstBatchFileBecomesTmpFile001) {
    const fs::path source = Source("davka.333", "12345");
    m_Batch.Add(source);
    TQsStreamDataSet& t = m_Dtm.qssPRS;
    ASSERT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("PRS_TmpName").AsString(), "tmp_file");
    EXPECT_EQ(t.FieldByName("PRS_FileExt").AsString(), "001");
    EXPECT_EQ(t.FieldByName("PRS_FileSize").AsInteger(), 5);
    EXPECT_EQ(t.FieldByName("PRS_SrcFileName").AsString(), "davka.333");
    EXPECT_FALSE(t.FieldByName("PRS_SrcDateTime").IsNull());
    EXPECT_EQ(WorkFiles(), std::set<std::string>{"tmp_file.001"});
    EXPECT_EQ(m_Temp.ReadFile(m_Work / "tmp_file.001"), "12345");
    EXPECT_EQ(m_Batch.CurrentFilePath(), m_Work / "tmp_file.001");
}

TEST_F(AttachedFileListTest, FirstReportFileKeepsItsExtensionAfterItsNumber) {
    struct Row {
        const char* Source;
        const char* Ext;
        const char* Copy;
    };
    const Row rows[] = {
        {"scan.PDF", "PDF", "tmp_lz_001.PDF"},
        {"zprava", "", "tmp_lz_001"},
        {"archiv.tar.gz", "gz", "tmp_lz_001.gz"},
        // The record keeps 20 characters of an extension; the copy is named as the record names it.
        {"x.abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst", "tmp_lz_001.abcdefghijklmnopqrst"},
    };
    for (const Row& row : rows) {
        m_Reports.Clear();
        m_Reports.Add(Source(row.Source));
        TQsStreamDataSet& t = m_Dtm.qssLZ;
        ASSERT_EQ(t.RecordCount(), 1);
        EXPECT_EQ(t.FieldByName("LZ_TmpName").AsString(), "tmp_lz_001") << row.Source;
        EXPECT_EQ(t.FieldByName("LZ_FileExt").AsString(), row.Ext) << row.Source;
        EXPECT_EQ(t.FieldByName("LZ_SrcFileName").AsString(), row.Source);
        EXPECT_EQ(WorkFiles(), std::set<std::string>{row.Copy}) << row.Source;
        EXPECT_EQ(m_Reports.CurrentFilePath(), m_Work / row.Copy);
    }
}

struct TRemoveRow {
    TFileListKind Kind;
    size_t Removed;       // 0-based record removed from 001, 002, 003
    const char* NextCopy; // the copy of the file added next
};

class AttachedFileNumbersTest : public AttachedFileListTest, public testing::WithParamInterface<TRemoveRow> {};

// Numbers follow the last record: a gap stays, the number of a removed last record is free again.
TEST_P(AttachedFileNumbersTest, NextNumberFollowsTheLastRecord) {
    const TRemoveRow& row = GetParam();
    TAttachedFileList& list = List(row.Kind);
    const fs::path source = Source("scan.pdf");
    for (int i = 0; i < 3; ++i)
        list.Add(source);
    GoTo(list.Table(), row.Removed);
    list.RemoveCurrent();
    list.Add(source);
    EXPECT_EQ(list.CurrentFilePath(), m_Work / row.NextCopy);
    EXPECT_TRUE(fs::exists(m_Work / row.NextCopy));
    EXPECT_EQ(list.Table().RecordCount(), 3);
    EXPECT_EQ(WorkFiles().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Rows, AttachedFileNumbersTest,
                         testing::Values(TRemoveRow{TFileListKind::Batch, 1, "tmp_file.004"},
                                         TRemoveRow{TFileListKind::Batch, 2, "tmp_file.003"},
                                         TRemoveRow{TFileListKind::Report, 1, "tmp_lz_004.pdf"},
                                         TRemoveRow{TFileListKind::Report, 2, "tmp_lz_003.pdf"}));

TEST_F(AttachedFileListTest, NoListHoldsMoreThan999Files) {
    struct Row {
        TFileListKind Kind;
        const char* Prefix;
        const char* TmpName;
        const char* Ext;
    };
    const Row rows[] = {
        {TFileListKind::Batch, "PRS_", "tmp_file", "998"},
        {TFileListKind::Report, "LZ_", "tmp_lz_998", "pdf"},
    };
    for (const Row& row : rows) {
        TAttachedFileList& list = List(row.Kind);
        TQsStreamDataSet& table = list.Table();
        table.Append();
        table.FieldByName(std::string(row.Prefix) + "TmpName").SetAsString(row.TmpName);
        table.FieldByName(std::string(row.Prefix) + "FileExt").SetAsString(row.Ext);
        table.Post();
        // 999 is the last number given...
        list.Add(Source("scan.pdf"));
        EXPECT_EQ(list.LastNumber(), 999);
        const auto files = WorkFiles();
        // ...and the next add is refused with everything as it was.
        EXPECT_EQ(MessageOf([&] { list.Add(Source("scan.pdf")); }), "Nelze vytvořit extenzi souboru vyšší než \"999\"");
        EXPECT_EQ(table.RecordCount(), 2);
        EXPECT_EQ(list.LastNumber(), 999);
        EXPECT_EQ(WorkFiles(), files);
    }
}

TEST_F(AttachedFileListTest, TheSameSourceTwiceGivesTwoCopies) {
    const fs::path source = Source("davka.111", "abc");
    m_Batch.Add(source);
    m_Batch.Add(source);
    EXPECT_EQ(Column(m_Dtm.qssPRS, "PRS_FileExt"), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(Column(m_Dtm.qssPRS, "PRS_SrcFileName"), (std::vector<std::string>{"davka.111", "davka.111"}));
    EXPECT_EQ(WorkFiles(), (std::set<std::string>{"tmp_file.001", "tmp_file.002"}));
}

TEST_F(AttachedFileListTest, AReadOnlySourceGivesAWritableCopy) {
    const fs::path source = Source("scan.pdf");
    fs::permissions(source, fs::perms::owner_read | fs::perms::group_read, fs::perm_options::replace);
    m_Reports.Add(source);
    const fs::perms copy = fs::status(m_Work / "tmp_lz_001.pdf").permissions();
    EXPECT_NE(copy & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(fs::status(source).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(AttachedFileListTest, SourceTimeIsTheLocalFileTimeInTwoSecondSteps) {
    const fs::path source = Source("davka.csv");
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 10;
    local.tm_min = 20;
    local.tm_sec = 31;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(source, std::chrono::file_clock::from_sys(when));
    m_Batch.Add(source);
    EXPECT_EQ(m_Dtm.qssPRS.FieldByName("PRS_SrcDateTime").AsDateTime(), TDateTime::FromParts(2024, 3, 15, 10, 20, 30));
}

// ---- failures ------------------------------------------------------------------------------------------

TEST_F(AttachedFileListTest, AMissingWorkDirectoryIsReportedAndAVanishedSourceAddsNothing) {
    fs::remove_all(m_Work);
    EXPECT_EQ(MessageOf([&] { m_Batch.Add(Source("davka.333")); }), "Adresář \"" + m_Work.string() + "\" neexistuje.");
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 0);
    fs::create_directories(m_Work);
    EXPECT_EQ(MessageOf([&] { m_Batch.Add(m_Src / "smazana.333"); }), "(no error)");
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 0);
    EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(AttachedFileListTest, ACopyThatFailsHalfwayLeavesNoCopyAndNoRecord) {
    const std::string bytes(64 * 1024, 'x');
    const fs::path source = Source("velka.pdf", bytes);
    m_Reports.Add(Source("mala.pdf", "x"));
    std::string message;
    {
        TFileSizeLimit limit(4096);
        message = MessageOf([&] { m_Reports.Add(source); });
    }
    const std::string copy = (m_Work / "tmp_lz_002.pdf").string();
    const std::string prefix =
        "Při kopírování souboru \"" + source.string() + "\" do souboru \"" + copy + "\" došlo k chybě: ";
    ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
    // The reason is the system's own.
    EXPECT_GT(message.size(), prefix.size());
    EXPECT_EQ(m_Dtm.qssLZ.RecordCount(), 1);
    EXPECT_EQ(WorkFiles(), std::set<std::string>{"tmp_lz_001.pdf"});
    EXPECT_EQ(m_Temp.ReadFile(source), bytes);
}

TEST_F(AttachedFileListTest, ARecordThatCannotBeWrittenWithdrawsItsCopy) {
    m_Dtm.qssPRS.Close();
    m_Dtm.qssPRS.SetReadOnly(true);
    m_Dtm.qssPRS.Open();
    const fs::path source = Source("davka.333", "abc");
    EXPECT_NE(MessageOf([&] { m_Batch.Add(source); }), "(no error)");
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 0);
    EXPECT_TRUE(WorkFiles().empty());
    EXPECT_EQ(m_Temp.ReadFile(source), "abc");
}

// A file chosen from the work directory itself is never replaced by its own copy or deleted.
TEST_F(AttachedFileListTest, AFileAtTheCopysOwnPlaceIsNeverLost) {
    m_Temp.WriteFile(m_Work / "tmp_file.001", "puvodni");
    const std::string message = MessageOf([&] { m_Batch.Add(m_Work / "tmp_file.001"); });
    EXPECT_EQ(message.rfind("Při kopírování souboru", 0), 0u) << message;
    EXPECT_EQ(m_Temp.ReadFile(m_Work / "tmp_file.001"), "puvodni");
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 0);
}

// What lies at a new copy's place belongs to no record: it is replaced, and a link there is not followed.
TEST_F(AttachedFileListTest, ALeftoverAtTheCopysPlaceIsReplacedWithoutFollowingALink) {
    m_Temp.WriteFile(m_Work / "tmp_file.001", "stara");
    m_Temp.WriteFile("cizi.txt", "cizi");
    fs::create_symlink(m_Temp.Path() / "cizi.txt", m_Work / "tmp_file.002");
    m_Batch.Add(Source("a.333", "nova1"));
    m_Batch.Add(Source("b.333", "nova2"));
    EXPECT_EQ(m_Temp.ReadFile(m_Work / "tmp_file.001"), "nova1");
    EXPECT_FALSE(fs::is_symlink(m_Work / "tmp_file.002"));
    EXPECT_EQ(m_Temp.ReadFile(m_Work / "tmp_file.002"), "nova2");
    EXPECT_EQ(m_Temp.ReadFile("cizi.txt"), "cizi");
}

// ---- removing and clearing ------------------------------------------------------------------------------

TEST_F(AttachedFileListTest, RemoveDeletesTheCurrentRecordWithItsCopy) {
    m_Reports.RemoveCurrent(); // an empty list: nothing
    for (const char* name : {"a.pdf", "b.doc", "c"})
        m_Reports.Add(Source(name));
    GoTo(m_Dtm.qssLZ, 1);
    m_Reports.RemoveCurrent();
    EXPECT_EQ(Column(m_Dtm.qssLZ, "LZ_SrcFileName"), (std::vector<std::string>{"a.pdf", "c"}));
    EXPECT_EQ(WorkFiles(), (std::set<std::string>{"tmp_lz_001.pdf", "tmp_lz_003"}));
    // A copy already gone does not keep its record.
    fs::remove(m_Work / "tmp_lz_003");
    GoTo(m_Dtm.qssLZ, 1);
    m_Reports.RemoveCurrent();
    EXPECT_EQ(Column(m_Dtm.qssLZ, "LZ_SrcFileName"), std::vector<std::string>{"a.pdf"});
    // The source files stay.
    for (const char* name : {"a.pdf", "b.doc", "c"})
        EXPECT_TRUE(fs::exists(m_Src / name)) << name;
}

TEST_F(AttachedFileListTest, ACopyThatCannotBeDeletedKeepsItsRecord) {
    m_Batch.Add(Source("a.333"));
    test::TLockedFile locked(m_Work / "tmp_file.001");
    if (!locked.Locked())
        GTEST_SKIP() << "the file system cannot lock a file";
    const std::string message = MessageOf([&] { m_Batch.RemoveCurrent(); });
    EXPECT_EQ(message.rfind(
                  "Při výmazu souborů dle masky: \"" + (m_Work / "tmp_file.001").string() + "\" nastala chyba: ", 0),
              0u)
        << message;
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 1);
}

TEST_F(AttachedFileListTest, ClearDeletesTheCopiesOfItsOwnListOnly) {
    m_Batch.Add(Source("a.333"));
    m_Batch.Add(Source("b.111"));
    m_Reports.Add(Source("scan.PDF"));
    m_Reports.Add(Source("zprava"));
    // Leftovers of an earlier run, and a file that is none of the program's.
    m_Temp.WriteFile(m_Work / "tmp_file.005", "x");
    m_Temp.WriteFile(m_Work / "tmp_lz_007", "x");
    m_Temp.WriteFile(m_Work / "poznamky.txt", "x");
    fs::permissions(m_Work / "tmp_file.005", fs::perms::owner_read, fs::perm_options::replace);

    m_Batch.Clear();
    EXPECT_TRUE(m_Dtm.qssPRS.IsEmpty());
    EXPECT_EQ(WorkFiles(), (std::set<std::string>{"poznamky.txt", "tmp_lz_001.PDF", "tmp_lz_002", "tmp_lz_007"}));
    EXPECT_EQ(m_Dtm.qssLZ.RecordCount(), 2);

    m_Reports.Clear();
    EXPECT_TRUE(m_Dtm.qssLZ.IsEmpty());
    EXPECT_EQ(WorkFiles(), std::set<std::string>{"poznamky.txt"});
    // Numbering starts again.
    m_Reports.Add(Source("scan.PDF"));
    EXPECT_EQ(WorkFiles(), (std::set<std::string>{"poznamky.txt", "tmp_lz_001.PDF"}));
}

TEST_F(AttachedFileListTest, AClearThatCannotDeleteACopyKeepsTheTable) {
    m_Batch.Add(Source("a.333"));
    test::TLockedFile locked(m_Work / "tmp_file.001");
    if (!locked.Locked())
        GTEST_SKIP() << "the file system cannot lock a file";
    const std::string message = MessageOf([&] { m_Batch.Clear(); });
    EXPECT_EQ(
        message.rfind("Při výmazu souborů dle masky: \"" + (m_Work / "tmp_file.*").string() + "\" nastala chyba: ", 0),
        0u)
        << message;
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 1);
}

TEST_F(AttachedFileListTest, ClearWithoutAWorkDirectoryEmptiesTheTable) {
    m_Batch.Add(Source("a.333"));
    fs::remove_all(m_Work);
    m_Batch.Clear();
    EXPECT_TRUE(m_Dtm.qssPRS.IsEmpty());
}

// ---- choosing ------------------------------------------------------------------------------------------

TEST_F(AttachedFileListTest, TheChooserOpensInTheLastDirectoryWhileItExists) {
    TScriptedFileChooser chooser;
    const fs::path davky = m_Temp.Path() / "davky";
    fs::create_directories(davky);
    const fs::path other = m_Temp.Path() / "jinde";
    fs::create_directories(other);
    m_Temp.WriteFile(other / "d.333", "x");
    std::string lastDir;

    // Nothing used yet: the batch directory of the settings. A cancel remembers nothing.
    EXPECT_FALSE(m_Batch.ChooseAndAdd(lastDir, davky.string()));
    ASSERT_EQ(chooser.Opened.size(), 1u);
    EXPECT_EQ(chooser.Opened[0].StartDir, davky);
    EXPECT_EQ(chooser.Opened[0].Filter, "*.333;*.111;*.csv;*.txt");
    EXPECT_TRUE(lastDir.empty());

    // A chosen file's directory is remembered.
    chooser.Answers.push_back(other / "d.333");
    EXPECT_TRUE(m_Batch.ChooseAndAdd(lastDir, davky.string()));
    EXPECT_EQ(lastDir, other.string());
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 1);
    EXPECT_FALSE(m_Batch.ChooseAndAdd(lastDir, davky.string()));
    EXPECT_EQ(chooser.Opened.back().StartDir, other);

    // A file that vanished before it was added changes nothing.
    chooser.Answers.push_back(davky / "zmizela.333");
    EXPECT_FALSE(m_Batch.ChooseAndAdd(lastDir, davky.string()));
    EXPECT_EQ(lastDir, other.string());
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 1);

    // A remembered directory that is gone: the batch directory again.
    fs::remove_all(other);
    EXPECT_FALSE(m_Batch.ChooseAndAdd(lastDir, davky.string()));
    EXPECT_EQ(chooser.Opened.back().StartDir, davky);
}

TEST_F(AttachedFileListTest, ReportsAreChosenWithTheDocumentFilter) {
    TScriptedFileChooser chooser;
    std::string lastDir;
    EXPECT_FALSE(m_Reports.ChooseAndAdd(lastDir, m_Src.string()));
    ASSERT_EQ(chooser.Opened.size(), 1u);
    EXPECT_EQ(chooser.Opened[0].Filter, "*.pdf;*.doc;*.docx;*.txt;*.tif;*.tiff;*.jpg;*.jpeg");
}

} // namespace
