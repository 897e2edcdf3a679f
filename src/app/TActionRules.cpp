#include "app/TActionRules.h"

namespace ndlemo {

const std::array<TActionDef, 16>& TActionRules::Actions() {
    using enum TActionId;
    static const std::array<TActionDef, 16> actions = {{
        {acNovyPrijem, "acNovyPrijem", "Nová faktura", "Zadávání nové faktury", "Ctrl+N"},
        {acPridatSouborPrijmu, "acPridatSouborPrijmu", "Přidat soubor dávky", "Přidat dávku ZZ do seznamu", ""},
        {acOdstranitSouborPrijmu, "acOdstranitSouborPrijmu", "Odstranit soubor dávky", "Odebrat dávku ZZ ze seznamu",
         ""},
        {acKontrola, "acKontrola", "Kontrola", "Kontrola", "Ctrl+K"},
        {acOdeslat, "acOdeslat", "Odeslat", "Vytvoření, odeslání souboru", "Ctrl+O"},
        {acDlgAppIni, "acDlgAppIni", "Aplikace", "Nastavení programu ", ""},
        {acTestSpojeni, "acTestSpojeni", "Test spojení", "Provede se test spojení", ""},
        {acDlgScpIni, "acDlgScpIni", "Přenos SCP", "Nastavení přenosu SCP", ""},
        {acDlgHttpInfo, "acDlgHttpInfo", "Info Lemo", "Informace o aplikaci", ""},
        {acDlgHttpIni, "acDlgHttpIni", "Info Lemo", "Nastavení pro Info Lemo", ""},
        {acUploadLemo, "acUploadLemo", "Upload Lemo", "Upload Lemo", ""},
        {acNoveLZ, "acNoveLZ", "Nové LZ", "Zadávání nového exportu LZ", ""},
        {acPridatSouborLZ, "acPridatSouborLZ", "Přidat soubor LZ", "Přidat soubor LZ do seznamu", ""},
        {acOdstranitSouborLZ, "acOdstranitSouborLZ", "Odstranit soubor LZ", "Odstranit soubor LZ ze seznamu", ""},
        {acOdeslatLZ, "acOdeslatLZ", "Odeslat", "Vytvoření, odeslání souboru", ""},
        {acUploadLemoLZ, "acUploadLemoLZ", "Upload Lemo", "Upload Lemo", ""},
    }};
    return actions;
}

bool TActionRules::Enabled(TActionId id, const TActionContext& c) {
    using enum TActionId;
    const bool idle = !c.Busy;
    const bool invoice = c.InvoiceTabActive;
    const bool reports = !c.InvoiceTabActive;
    switch (id) {
    case acNovyPrijem:
    case acKontrola:
    case acOdeslat:
        return idle && invoice;
    case acPridatSouborPrijmu:
        return idle && c.BatchTableOpen;
    case acOdstranitSouborPrijmu:
        return idle && c.BatchTableOpen && !c.BatchTableEmpty;
    case acDlgAppIni:
    case acDlgHttpInfo:
    case acDlgHttpIni:
        return idle;
    case acTestSpojeni:
        return idle && c.TypPrenosu == TTransferMode::Scp;
    case acDlgScpIni:
        return true;
    case acUploadLemo:
        return idle && c.TypPrenosu == TTransferMode::Upload && invoice;
    case acNoveLZ:
    case acOdeslatLZ:
        return idle && reports;
    case acPridatSouborLZ:
        return idle && c.ReportTableOpen;
    case acOdstranitSouborLZ:
        return idle && c.ReportTableOpen && !c.ReportTableEmpty;
    case acUploadLemoLZ:
        return idle && c.TypPrenosu == TTransferMode::Upload && reports;
    }
    return false;
}

std::string TActionRules::SendButtonText(const TTransferType& typPrenosu) {
    return typPrenosu == TTransferMode::Upload ? "Vytvořit soubor" : "Odeslat soubor";
}

} // namespace ndlemo
