#include "app/TActionRules.h"

#include <gtest/gtest.h>

using namespace ndlemo;
using enum TActionId;

namespace {
bool On(TActionId id, bool busy, bool invoiceTab, const char* mode, bool tablesOpen = true, bool tablesEmpty = false) {
    TActionContext c;
    c.Busy = busy;
    c.InvoiceTabActive = invoiceTab;
    c.TypPrenosu = TTransferType(mode);
    c.BatchTableOpen = c.ReportTableOpen = tablesOpen;
    c.BatchTableEmpty = c.ReportTableEmpty = tablesEmpty;
    return TActionRules::Enabled(id, c);
}
} // namespace

TEST(TActionRules, TabAndModeRules) {
    struct Row {
        TActionId id;
        bool invoiceScp, invoiceUpload, reportsScp, reportsUpload;
    } rows[] = {
        {acNovyPrijem, true, true, false, false},       {acKontrola, true, true, false, false},
        {acOdeslat, true, true, false, false},          {acUploadLemo, false, true, false, false},
        {acNoveLZ, false, false, true, true},           {acOdeslatLZ, false, false, true, true},
        {acUploadLemoLZ, false, false, false, true},    {acTestSpojeni, true, false, true, false},
        {acDlgAppIni, true, true, true, true},          {acDlgHttpInfo, true, true, true, true},
        {acDlgHttpIni, true, true, true, true},         {acDlgScpIni, true, true, true, true},
        {acPridatSouborPrijmu, true, true, true, true}, {acPridatSouborLZ, true, true, true, true},
    };
    for (const auto& r : rows) {
        const int id = static_cast<int>(r.id);
        EXPECT_EQ(On(r.id, false, true, "SCP"), r.invoiceScp) << id;
        EXPECT_EQ(On(r.id, false, true, "UPLOAD"), r.invoiceUpload) << id;
        EXPECT_EQ(On(r.id, false, false, "SCP"), r.reportsScp) << id;
        EXPECT_EQ(On(r.id, false, false, "UPLOAD"), r.reportsUpload) << id;
    }
}

TEST(TActionRules, BusyDisablesAllButTheScpSettings) {
    for (const auto& def : TActionRules::Actions()) {
        EXPECT_EQ(On(def.Id, true, true, "UPLOAD"), def.Id == acDlgScpIni) << def.Name;
        EXPECT_EQ(On(def.Id, true, false, "SCP"), def.Id == acDlgScpIni) << def.Name;
    }
}

TEST(TActionRules, FileActionsNeedAnOpenTableAndRemovalARow) {
    EXPECT_FALSE(On(acPridatSouborPrijmu, false, true, "SCP", false));
    EXPECT_FALSE(On(acPridatSouborLZ, false, true, "SCP", false));
    EXPECT_TRUE(On(acOdstranitSouborPrijmu, false, true, "SCP", true, false));
    EXPECT_FALSE(On(acOdstranitSouborPrijmu, false, true, "SCP", true, true));
    EXPECT_FALSE(On(acOdstranitSouborLZ, false, false, "SCP", true, true));
    EXPECT_FALSE(On(acOdstranitSouborLZ, false, false, "SCP", false, false));
}

TEST(TActionRules, SendButtonText) {
    EXPECT_EQ(TActionRules::SendButtonText(TTransferType("UPLOAD")), "Vytvořit soubor");
    EXPECT_EQ(TActionRules::SendButtonText(TTransferType("SCP")), "Odeslat soubor");
    EXPECT_EQ(TActionRules::SendButtonText(TTransferType("")), "Odeslat soubor");
}
