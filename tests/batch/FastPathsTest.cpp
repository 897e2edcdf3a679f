// The quick checks of the usual values must decide exactly like the full rules they stand in for.

#include "BatchTestRecords.h"
#include "BatchTestSupport.h"
#include "batch/Conversions.h"
#include "batch/EConvertError.h"
#include "batch/FieldChecks.h"
#include "batch/KontrolaDokladu.h"
#include "batch/KontrolaPolozky.h"
#include "batch/TBatchLineReader.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace ndlemo {
namespace {

using namespace test;

// The message that f raises as either error kind, or "<no error>".
template <typename F> std::string Outcome(F&& f) {
    try {
        f();
    } catch (const ESubroutineError& e) {
        return e.what();
    } catch (const EConvertError& e) {
        return "convert: " + std::string(e.what());
    }
    return "<no error>";
}

const char* const NumberSlices[] = {
    "",     "   ",       "12",        "   12.50",  "+1",         "-.5",        "5.",
    ".",    "-",         "+ 5",       "1.2.3",     " 1 2 ",      "\t7\r",      "1e5",
    "12,5", "1,2.5",     "0x1F",      "$10",       "00000000.0", "-0",         "12a",
    " -  ", "123456789", " 12345678", "000000000", "1234567890", "2147483648", "  -2147483648",
    "12 ",  "1 2",       "\a5",       "5\x7F",
};

TEST(FastPathsTest, AnUnreadDecimalFailsExactlyWhenItsConversionFails) {
    for (const char* s : NumberSlices)
        EXPECT_EQ(Outcome([&] { CheckDecimal(s); }), Outcome([&] { (void)TextNaCislo(s); })) << '"' << s << '"';
    std::string many(301, '1');
    std::string tooMany(400, '9');
    for (const std::string& s : {many, "0." + many, tooMany})
        EXPECT_EQ(Outcome([&] { CheckDecimal(s); }), Outcome([&] { (void)TextNaCislo(s); })) << s.size();
}

TEST(FastPathsTest, AnIntegerHasTheValueOfTheFullRules) {
    for (const char* s : NumberSlices) {
        int32_t full = 0;
        bool ok = TryTextToInteger(s, full);
        EXPECT_EQ(Outcome([&] { CheckInteger(s); }), ok ? "<no error>" : Outcome([&] { (void)TextToIntegerFull(s); }))
            << '"' << s << '"';
        if (ok) {
            EXPECT_EQ(TextToInteger(s), full) << '"' << s << '"';
        }
    }
}

TEST(FastPathsTest, TheInsuranceNumberChecksTogetherRaiseWhatEachWould) {
    const std::string numbers[] = {std::string(Rc1), std::string(RcNoModulo), "0000000000", "800101122",  "80010112x7",
                                   "8001011227 ",    "80010112\xC3\xA1",      "-800101122", " 800101122", ""};
    for (const std::string& n : numbers) {
        for (bool modulo : {true, false}) {
            std::string apart = Outcome([&] {
                KontrolaCislaPojistence(n);
                if (modulo)
                    KontrolaModulo11(n);
            });
            EXPECT_EQ(Outcome([&] { CheckInsuranceNumber(n, modulo); }), apart) << n << " " << modulo;
        }
    }
}

// Items checked with the document's facts worked out once give the same errors and store the same items as items
// checked on their own, also one after another in one document.
TEST(FastPathsTest, ItemsOfAnOpenDocumentCheckAlikeWithItsFactsKnown) {
    struct Case {
        DocSetup Doc;
        std::vector<std::string> Items;
    };
    const Case cases[] = {
        {{"98", Doc01()},
         {Item01(29), Item01(31), Item01(30), Item01(29, "01042011"), Item01(29).Set(15, "x"), Item03()}},
        {{"81", Doc01()}, {Item01(33), Item01(35).Set(31, "x"), Item01(29)}},
        {{"99", Doc02(1, 1, "01032011", "10032011")}, {Item02(25), Item02(25, "28022011"), Item02(27)}},
        {{"82", Doc03()}, {Item03(44), Item03(44, "001234"), Item03(44, "0012345", "5"), Item01(29)}},
        {{"99", Doc03()}, {Item03(40), Item03(45), Item03(45).Set(40, "j069"), Item03(40).Set(19, "12,5,0")}},
        {{"05", Doc05()}, {Item05(), Item05(Rc2), Item05(RcNoModulo), Item05("80010112x7"), Item05(Rc1, "01042011")}},
        {{"90", Doc06()}, {Item06(), Item06("15032011", "x")}},
        {{"34", Doc34(1, 1, 149, "20032011")}, {Item34(), Item34("     ")}},
        {{"36", Doc36(1, 1, 68, "AB")}, {Item36(68), Item36(122, Rc2), Item36(177), Item36(68, "8001011228")}},
        {{"37", Doc37(1, 1, "25032011")}, {Item37V(15), Item37V(17, "12"), Item37L(), Item37L("001234"), ItemG()}},
    };
    for (const Case& c : cases) {
        for (bool modulo : {true, false}) {
            TDokladImp alone;
            Open(alone, c.Doc);
            TDokladImp known;
            Open(known, c.Doc);
            TItemContext facts = ItemContextOf(known);
            for (const std::string& item : c.Items) {
                TRecordLine v(item);
                std::string expected = Outcome([&] { KontrolaPolozky(v, alone, modulo); });
                EXPECT_EQ(Outcome([&] { KontrolaPolozky(v, known, facts, modulo); }), expected) << item;
            }
            ASSERT_EQ(known.Osoby.size(), alone.Osoby.size()) << c.Doc.Line;
            for (size_t i = 0; i < alone.Osoby.size(); ++i) {
                EXPECT_EQ(known.Osoby[i]->CisloPojistence, alone.Osoby[i]->CisloPojistence);
                EXPECT_EQ(known.Osoby[i]->Polozky.size(), alone.Osoby[i]->Polozky.size());
            }
        }
    }
}

std::vector<std::string> LinesOfStream(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
    EXPECT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f.get());
    std::rewind(f.get());
    TBatchLineReader reader(f.get());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line))
        lines.emplace_back(line);
    EXPECT_TRUE(reader.AtEnd());
    return lines;
}

TEST(FastPathsTest, ACtrlZInALaterBlockEndsTheFileThere) {
    std::string first(300000, 'a');
    // The Ctrl+Z after a carriage return, both beyond the first block, in the middle of a line.
    std::vector<std::string> lines = LinesOfStream("x\r\n" + first +
                                                   "b\r\x1A"
                                                   "c\r\nd\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x");
    EXPECT_EQ(lines[1], first + "b");
    // The Ctrl+Z right at the start of a block.
    std::string line(262143, 'y');
    EXPECT_EQ(LinesOfStream(line + "\n\x1A"
                                   "z\n"),
              (std::vector<std::string>{line}));
}

} // namespace
} // namespace ndlemo
