#include "app/InvoiceCheckRun.h"

#include "app/TPrijemController.h"
#include "batch/TKeyRegister.h"
#include "invoice/InvoiceFieldRules.h"
#include "invoice/SentPackages.h"
#include "invoice/TAttachedFileList.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TMessageBoxes.h"
#include "support/TQsStreamDataSet.h"
#include "support/TRequestList.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/PackageNames.h"

#include <algorithm>
#include <system_error>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {
constexpr const char* Digits = "0 až 9";
// An invoice that matches more than this many packages is listed with this many.
constexpr size_t ListedPackages = 11;

[[noreturn]] void Missing(const char* field) {
    throw ESubroutineError("Pole \"%s\" musí být zadáno", field);
}

[[noreturn]] void BadValue(const std::string& value, const char* field) {
    throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", value, field);
}

void RequireOnly(std::string_view value, const char* field, std::string_view allowed, bool (*ok)(char)) {
    if (!std::all_of(value.begin(), value.end(), ok))
        throw ESubroutineError("Hodnota \"%s\" smí obsahovat pouze znaky \"%s\"", field, allowed);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A date field: converted, written back normalised, and required unless it may be empty.
TDate DateField(std::string& text, const char* field, bool required) {
    const TDate date = TextToDate(text);
    if (date.IsNull() && required)
        Missing(field);
    text = DateToText(date);
    return date;
}

void CheckHeader(TPrijemController& c, TInvoiceForm& form) {
    TLemoPrij& prij = c.Prij;
    prij.ICZ = TrimWhitespace(form.ICZ);
    RequireDigits(prij.ICZ, 8, "IČZ");
    prij.ICO = TrimWhitespace(form.ICO);
    RequireDigits(prij.ICO, 8, "IČO");

    form.CisFaktury = TrimWhitespace(form.CisFaktury);
    prij.CisloFaktury = form.CisFaktury;
    if (prij.CisloFaktury.empty())
        BadValue("", "Číslo faktury");
    RequireOnly(prij.CisloFaktury, "Číslo faktury", Digits, IsDigit);
    if (prij.CisloFaktury.size() > 10)
        BadValue(prij.CisloFaktury, "Číslo faktury");

    prij.RokFaktury = TrimWhitespace(form.RokFaktury);
    RequireDigits(prij.RokFaktury, 4, "Rok vystavení");

    prij.DatumVystaveni = DateField(form.DatVystaveni, "Datum vystavení", true);
    if (prij.RokFaktury != ZeroPadInt(prij.DatumVystaveni.Year(), 4) &&
        !AskYesNo("Rok vystavení faktury je jiný než rok z datumu vystavení. Pokračovat ?"))
        throw EAbort();
    prij.DatumOdeslani = DateField(form.DatOdeslani, "Datum odeslání", false);
    prij.DatumPrijeti = DateField(form.DatPrijeti, "Datum přijetí", true);
    prij.DatumSplatnosti = DateField(form.DatSplatnosti, "Datum splatnosti", true);
    if (prij.DatumPrijeti < prij.DatumVystaveni)
        throw ESubroutineError(std::string("Datum přijetí") + " je menší než " + "Datum vystavení");
    if (prij.DatumSplatnosti < prij.DatumVystaveni)
        throw ESubroutineError(std::string("Datum splatnosti") + " je menší než " + "Datum vystavení");

    form.Castka = RoundTo2(form.Castka);
    prij.Castka = form.Castka;

    prij.CisloUctu = TrimWhitespace(form.Ucet);
    if (prij.CisloUctu.empty())
        Missing("Číslo účtu");
    RequireOnly(prij.CisloUctu, "Číslo účtu", std::string(Digits) + ",-",
                [](char ch) { return IsDigit(ch) || ch == '-'; });
    prij.KodBanky = TrimWhitespace(form.Banka);
    RequireDigits(prij.KodBanky, 4, "Kód banky");
    prij.VarSymbol = TrimWhitespace(form.VS);
    if (prij.VarSymbol.empty())
        Missing("VS");
    RequireOnly(prij.VarSymbol, "VS", Digits, IsDigit);

    prij.Popis = TrimWhitespace(form.Popis);
    prij.Poznamka = TrimWhitespace(form.Poznamka);
    prij.Generovat = form.GenerFak;

    prij.DodNazev = TrimWhitespace(form.DodavatelNazev);
    prij.DodUlice = TrimWhitespace(form.DodavatelUlice);
    prij.DodPsc = TrimWhitespace(form.DodavatelPsc);
    prij.DodObec = TrimWhitespace(form.DodavatelObec);
    if (prij.Generovat) {
        if (prij.DodNazev.empty())
            Missing("Název dodavatele");
        RequireDigits(prij.DodPsc, 5, "PSČ");
        if (prij.DodObec.empty())
            Missing("Obec dodavatele");
    }

    // The customer comes from the settings, where the user has to correct it.
    const AppSettings& s = c.Settings;
    prij.OdbICO = TrimWhitespace(s.DefaultOdbICO);
    prij.OdbNazev = TrimWhitespace(s.DefaultOdbNazev);
    prij.OdbUlice = TrimWhitespace(s.DefaultOdbUlice);
    prij.OdbPsc = TrimWhitespace(s.DefaultOdbPsc);
    prij.OdbObec = TrimWhitespace(s.DefaultOdbObec);
    if (prij.Generovat) {
        RequireDigits(prij.OdbICO, 8, "IČ odběratele");
        const std::pair<const std::string*, const char*> required[] = {{&prij.OdbNazev, "Název odběratele"},
                                                                       {&prij.OdbUlice, "Ulice odběratele"},
                                                                       {&prij.OdbPsc, "PSČ odběratele "},
                                                                       {&prij.OdbObec, "Obec odběratele"}};
        for (const auto& [value, field] : required) {
            if (value->empty())
                Missing(field);
        }
    }
}

} // namespace

void RequireDigits(std::string_view value, size_t n, const char* field) {
    const size_t length = Utf8Length(value);
    if (length != n)
        throw ESubroutineError("Délka hodnoty \"%s\" musí být %d a ne %d", field, n, length);
    RequireOnly(value, field, Digits, IsDigit);
}

void CheckRunSettings(TPrijemController& c, TRunUi& ui) {
    TRequestList requests;
    ValidateAppSettings(c.Settings, requests);
    if (c.Settings.TypPrenosu == TTransferMode::Scp)
        ValidatePrenosSettings(c.Transfer, requests);
    if (requests.Count() > 0) {
        ui.ShowRequestList(requests);
        throw EAbort();
    }
    c.CheckDirCollision();
}

void AddFileRecords(TPrijemController& c, TAttachedFileList& files) {
    TQsStreamDataSet& table = files.Table();
    const std::string prefix = files.Kind() == TFileListKind::Batch ? "PRS_" : "LZ_";
    const bool any = !table.IsEmpty();
    const TQsStreamDataSet::TBookmark current = any ? table.GetBookmark() : 0;
    for (table.First(); !table.Eof(); table.Next()) {
        auto file = std::make_unique<TLemoSoubor>();
        file->JmenoSouboru = files.CurrentFilePath().string();
        file->Velikost = table.FieldByName(prefix + "FileSize").AsInteger();
        file->Zdroj = table.FieldByName(prefix + "SrcFileName").AsString();
        file->DatumZdroje = table.FieldByName(prefix + "SrcDateTime").AsDateTime();
        c.Prij.Soubory.push_back(std::move(file));
    }
    if (any && table.BookmarkValid(current))
        table.GotoBookmark(current);
}
void CheckNotSent(const TPrijemController& c) {
    const TLemoPrij& prij = c.Prij;
    const std::string mask = InvoicePackageName(c.Settings.Pracoviste, prij.ICZ, prij.ICO, prij.RokFaktury,
                                                prij.CisloFaktury, prij.DatumPrijeti, true) +
                             ".zip";
    const std::vector<fs::path> sent = FindSentPackages(c.Settings.DirOdeslane, mask, ListedPackages);
    if (sent.empty())
        return;
    std::string message = "Faktura již byla odeslána\r\n";
    for (const fs::path& path : sent)
        message += path.string() + "\r\n";
    throw ESubroutineError(message);
}

bool CheckInvoice(TPrijemController& c, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui) {
    c.Prij.Vycisti();
    TKeyRegister batchKeys;
    TKeyRegister docKeys;

    CheckRunSettings(c, ui);
    CheckHeader(c, form);
    if (batchFiles.Table().IsEmpty())
        throw ESubroutineError("Nejsou přiřazeny žádné soubory");

    const fs::path archive = InvoiceArchiveDir(c.Settings.DirOdeslane, c.Prij.DatumPrijeti);
    std::error_code ec;
    if (!fs::is_directory(archive, ec))
        fs::create_directories(archive, ec);
    if (!fs::is_directory(archive, ec))
        throw ESubroutineError("Adresář \"%s\" neexistuje.", archive.string());

    CheckNotSent(c);
    AddFileRecords(c, batchFiles);

    bool clean = true;
    for (const auto& file : c.Prij.Soubory) {
        if (c.NoModulo)
            file->KontrolaModulo = false;
        try {
            file->Nacti(batchKeys, docKeys, c.Prij.ICZ);
        } catch (const ESubroutineError& e) {
            // A file that cannot be read as a whole is faulty; the run goes on with the next one.
            file->Chyby.push_back(e.Message());
        }
        clean = clean && file->Chyby.empty();
    }
    return clean;
}

void RunKontrola(TPrijemController& c, TInvoiceForm& form, TAttachedFileList& batchFiles, TRunUi& ui) {
    const bool clean = CheckInvoice(c, form, batchFiles, ui);
    if (!clean)
        ShowInfoMessage("Kontrola proběhla s chybami");
    ui.ShowCheckReport(!clean, "", clean ? "Fakturu a dávky lze přijmout" : "Fakturu a dávky nelze přijmout");
}

} // namespace ndlemo
