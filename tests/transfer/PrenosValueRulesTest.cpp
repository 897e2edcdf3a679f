#include "transfer/PrenosValueRules.h"

#include "transfer/TransferSettings.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

using namespace ndlemo;

namespace {
// Seven good SCP values; Field gives the one a rule checks.
struct TSeven : TransferSettings {
    TSeven() {
        Host = "scp.lemo.cz";
        Port = "22";
        OutDir = "/data/in";
        User = "lemo";
        Pkf = "lemo.ppk";
        TestSpojDir = "/test";
        TestSpojFileName = "test.txt";
    }
    std::string& Field(TPrenosValue kind) {
        for (const TTransferSettingRow& row : PrenosSettingRows()) {
            if (row.Rule == kind)
                return this->*std::get<std::string TransferSettings::*>(row.Member);
        }
        throw std::out_of_range("no SCP value");
    }
};

std::vector<std::string> Validate(const TSeven& v) {
    TRequestList list;
    ValidatePrenosSettings(v, list);
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.push_back(list.GetText(i, 1));
    return texts;
}

constexpr TPrenosValue AllKinds[] = {
    TPrenosValue::Host, TPrenosValue::Port,        TPrenosValue::OutDir,          TPrenosValue::User,
    TPrenosValue::Pkf,  TPrenosValue::TestSpojDir, TPrenosValue::TestSpojFileName};
} // namespace

TEST(ValidatePrenosSettings, GoodValuesPass) {
    TSeven v;
    v.Port = " 0022 ";
    v.Pkf = "keys/lemo.ppk"; // a path part may stay
    v.OutDir = "/data/příjem/";
    EXPECT_TRUE(Validate(v).empty());
    v.Pkf = "/etc/ndlemo/lemo.ppk";
    EXPECT_TRUE(Validate(v).empty());
}

TEST(ValidatePrenosSettings, RefusesEveryCharacterThatTheInterpreterOrTheServersShellWouldRead) {
    for (const char* bad : {";", "&", "|", "`", "$", "'", "\"", "<", ">", "\\", "\x01", "\x7F", "\r", "\n"}) {
        for (TPrenosValue kind : AllKinds) {
            if (kind == TPrenosValue::Port)
                continue;
            TSeven v;
            v.Field(kind).insert(1, bad); // inside: blanks and line ends around a value are trimmed
            const std::vector<std::string> requests = Validate(v);
            ASSERT_EQ(requests.size(), 1u) << PrenosValueCaption(kind) << " with " << bad;
            EXPECT_EQ(requests[0], "Nepřípustná hodnota \"" + v.Field(kind) + "\" pro \"" +
                                       std::string(PrenosValueCaption(kind)) + "\"");
        }
    }
}

TEST(ValidatePrenosSettings, RulesOfSingleValues) {
    const struct {
        TPrenosValue Kind;
        const char* Value;
        bool Accepted;
    } rows[] = {
        {TPrenosValue::Port, "2222", true},
        {TPrenosValue::Port, "0022", true},
        {TPrenosValue::Port, "+22", false},
        {TPrenosValue::Port, "-22", false},
        {TPrenosValue::Port, "22a", false},
        {TPrenosValue::Port, "0x16", false},
        {TPrenosValue::Host, "-oProxyCommand=x", false},
        {TPrenosValue::Host, "10.0.0.1", true},
        {TPrenosValue::User, "-l", false},
        {TPrenosValue::User, "lemo-in", true},
        {TPrenosValue::Pkf, "keys/-x.ppk", false},
        {TPrenosValue::Pkf, "-keys/x.ppk", true}, // only the file-name part reaches the command line
        {TPrenosValue::TestSpojFileName, "test.txt", true},
        {TPrenosValue::TestSpojFileName, "../NdLemo.ini", false},
        {TPrenosValue::TestSpojFileName, "sub/test.txt", false},
        {TPrenosValue::TestSpojFileName, "sub\\test.txt", false},
        {TPrenosValue::TestSpojFileName, ".", false},
        {TPrenosValue::TestSpojFileName, "..", false},
        {TPrenosValue::TestSpojFileName, "...", true},
        {TPrenosValue::TestSpojFileName, "Nofile", false},
        {TPrenosValue::TestSpojFileName, "pscp.exe", false},
        {TPrenosValue::TestSpojFileName, "plink.exe", false},
        {TPrenosValue::TestSpojFileName, "md5sum.exe", false},
        {TPrenosValue::TestSpojFileName, "-v", false},
        {TPrenosValue::TestSpojDir, "/test/*", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsAcceptablePrenosValue(row.Kind, row.Value), row.Accepted)
            << PrenosValueCaption(row.Kind) << " " << row.Value;
        TSeven v;
        v.Field(row.Kind) = row.Value;
        EXPECT_EQ(Validate(v).size(), row.Accepted ? 0u : 1u) << PrenosValueCaption(row.Kind) << " " << row.Value;
    }
}

TEST(ValidatePrenosSettings, KeepsTheOrderOfTheSevenValuesAndOneRequestEach) {
    TSeven v;
    v.Host = "a;b";
    v.Port = "";
    v.TestSpojFileName = "x y/z";
    const std::vector<std::string> requests = Validate(v);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], "Nepřípustná hodnota \"a;b\" pro \"Host\"");
    EXPECT_EQ(requests[1], "Nepřípustná hodnota \"\" pro \"Port\"");
    EXPECT_EQ(requests[2], "Nepřípustná hodnota \"x y/z\" pro \"Jméno souboru testu spoj.\"");
}
