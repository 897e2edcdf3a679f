#include "platform/CommandLine.h"

#include <gtest/gtest.h>

using namespace ndlemo::platform;

namespace {
std::string Joined(const std::vector<std::string>& args) {
    std::string text;
    for (const auto& a : args)
        text += "[" + a + "]";
    return text;
}
} // namespace

TEST(SplitProgramName, TakesTheQuotedOrBareFirstWord) {
    const struct {
        const char* Line;
        const char* Program;
        const char* Rest;
    } rows[] = {
        {"\"/opt/nd lemo/ndlemo-cmd\" /c \"x\" y", "/opt/nd lemo/ndlemo-cmd", "/c \"x\" y"},
        {"  /bin/prog   a  b ", "/bin/prog", "a  b "},
        {"prog", "prog", ""},
        {"\"unclosed quote", "unclosed quote", ""},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        const TProgramAndRest split = SplitProgramName(row.Line);
        EXPECT_EQ(split.Program, row.Program) << row.Line;
        EXPECT_EQ(split.Rest, row.Rest) << row.Line;
    }
}

TEST(InterpreterCommandText, RemovesTheOuterQuotesOnlyWhenMoreThanTwo) {
    const struct {
        const char* After;
        const char* Command;
    } rows[] = {
        // The pscp lines: only the two quotes around the tool path, kept.
        {" \"/o/pscp.exe\" -P 22 a.zip u@h:/d < Nofile", "\"/o/pscp.exe\" -P 22 a.zip u@h:/d < Nofile"},
        // The plink and md5sum lines: one further pair around everything, removed.
        {"\"\"/o/plink.exe\" -P 22 u@h < Nofile \"cd /d; md5sum a.zip\" > ./a.md5\"",
         "\"/o/plink.exe\" -P 22 u@h < Nofile \"cd /d; md5sum a.zip\" > ./a.md5"},
        {"\"\"/o/md5sum.exe\" -c a.md5\"", "\"/o/md5sum.exe\" -c a.md5"},
        // The last quote goes even with text after it.
        {"\"a\" \"b\" c\" tail", "a\" \"b\" c tail"},
        // Not starting with a quote: nothing removed.
        {"prog \"a\" \"b\"", "prog \"a\" \"b\""},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InterpreterCommandText(row.After), row.Command) << row.After;
}

TEST(SplitArguments, FollowsTheWindowsProgramRules) {
    const struct {
        const char* Text;
        const char* Args;
    } rows[] = {
        {"a b\tc", "[a][b][c]"},
        {"\"a b\" c", "[a b][c]"},
        {"x\"y z\"w", "[xy zw]"},
        {"\"\" a", "[][a]"},
        {"\"a \"\" b\"", "[a \" b]"},    // "" inside quotes is one quote
        {"a\\\\b c\\", "[a\\\\b][c\\]"}, // backslashes alone are literal
        {"a\\\"b", "[a\"b]"},            // \" is a literal quote
        {"\"a\\\\\" b", "[a\\][b]"},     // \\" is a backslash and a closing quote
        {"a\\\\\\\"b", "[a\\\"b]"},      // \\\" is a backslash and a literal quote
        {"   ", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Joined(SplitArguments(row.Text)), row.Args) << row.Text;
}

TEST(ParseInterpreterCommand, RedirectsOnlyOutsideQuotesAndGivesNothingElseAMeaning) {
    const struct {
        const char* Text;
        const char* Args;
        const char* In;
        const char* Out;
    } rows[] = {
        {"\"/o/plink.exe\" -P 22 u@h < Nofile \"cd /d; /usr/local/bin/md5sum N.zip\" > ./N.md5",
         "[/o/plink.exe][-P][22][u@h][cd /d; /usr/local/bin/md5sum N.zip]", "Nofile", "./N.md5"},
        {"prog <in >out", "[prog]", "in", "out"},
        {"prog a>b", "[prog][a]", "", "b"},
        {"prog \"a > b\" \"<c\"", "[prog][a > b][<c]", "", ""},
        {"prog > \"out file\"", "[prog]", "", "out file"},
        {"prog & other | more ; x $HOME %PATH% * `id` ^a",
         "[prog][&][other][|][more][;][x][$HOME][%PATH%][*][`id`][^a]", "", ""},
        {"prog >a >b", "[prog]", "", "b"},
        {"", "", "", ""},
    };
    for (const auto& row : rows) {
        TInterpreterCommand command;
        std::string error;
        ASSERT_TRUE(ParseInterpreterCommand(row.Text, command, error)) << row.Text << ": " << error;
        EXPECT_EQ(Joined(command.Arguments), row.Args) << row.Text;
        EXPECT_EQ(command.InputFile, row.In) << row.Text;
        EXPECT_EQ(command.OutputFile, row.Out) << row.Text;
    }
}

TEST(ParseInterpreterCommand, RefusesARedirectionWithoutFile) {
    for (const char* text : {"prog <", "prog >", "prog > ", "prog >> out", "prog < > out", "prog > \"\""}) {
        TInterpreterCommand command;
        std::string error;
        EXPECT_FALSE(ParseInterpreterCommand(text, command, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}
