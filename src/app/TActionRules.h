#pragma once

#include "support/TTransferType.h"

#include <array>
#include <string>
#include <string_view>

namespace ndlemo {

// The actions of the main window with their captions, hints and shortcuts, and the rules that enable them.
enum class TActionId {
    acNovyPrijem,
    acPridatSouborPrijmu,
    acOdstranitSouborPrijmu,
    acKontrola,
    acOdeslat,
    acDlgAppIni,
    acTestSpojeni,
    acDlgScpIni,
    acDlgHttpInfo,
    acDlgHttpIni,
    acUploadLemo,
    acNoveLZ,
    acPridatSouborLZ,
    acOdstranitSouborLZ,
    acOdeslatLZ,
    acUploadLemoLZ,
};

struct TActionDef {
    TActionId Id;
    std::string_view Name;
    std::string_view Caption;
    std::string_view Hint;
    std::string_view Shortcut; // in Qt's portable text form, empty when none
};

// What the enabling rules look at.
struct TActionContext {
    bool Busy = false;
    bool InvoiceTabActive = true; // else the medical-reports tab
    TTransferType TypPrenosu;
    bool BatchTableOpen = false;
    bool BatchTableEmpty = true;
    bool ReportTableOpen = false;
    bool ReportTableEmpty = true;
};

class TActionRules {
public:
    static const std::array<TActionDef, 16>& Actions();
    [[nodiscard]] static bool Enabled(TActionId id, const TActionContext& context);
    // The text of the two send buttons: "Vytvořit soubor" in upload mode, else "Odeslat soubor".
    [[nodiscard]] static std::string SendButtonText(const TTransferType& typPrenosu);
};

} // namespace ndlemo
