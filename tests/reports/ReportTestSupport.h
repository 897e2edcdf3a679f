#pragma once

#include "invoice/TLemoPrij.h"
#include "reports/TReportDocument.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ndlemo::test {

// A batch file record as the reader leaves it: its batches (number, month, year) and error lines.
struct TFileContent {
    std::vector<int> Batches;
    std::vector<std::string> Errors;
    std::string Month = "03";
    std::string Year = "2024";
};

inline std::unique_ptr<TLemoSoubor> MakeFile(const TFileContent& content) {
    auto file = std::make_unique<TLemoSoubor>();
    for (int number : content.Batches) {
        auto davka = std::make_unique<TPrijDavka>();
        davka->Davka.Cislo = number;
        davka->Davka.Mesic = content.Month;
        davka->Davka.Rok = content.Year;
        file->Davky.push_back(std::move(davka));
    }
    file->Chyby = content.Errors;
    return file;
}

inline void AddFiles(TLemoPrij& prij, const std::vector<TFileContent>& files) {
    for (const TFileContent& content : files)
        prij.Soubory.push_back(MakeFile(content));
}

// An invoice header with every field filled.
inline void FillInvoice(TLemoPrij& prij) {
    prij.ICZ = "12345678";
    prij.ICO = "87654321";
    prij.CisloFaktury = "2024000123";
    prij.RokFaktury = "2024";
    prij.DatumVystaveni = TDate::FromYmd(2024, 3, 1);
    prij.DatumOdeslani = TDate::FromYmd(2024, 3, 4);
    prij.DatumSplatnosti = TDate::FromYmd(2024, 3, 31);
    prij.DatumPrijeti = TDate::FromYmd(2024, 3, 5);
    prij.Castka = 1234567.5;
    prij.Poznamka = "Opravná faktura";
    prij.CisloUctu = "19-123456789";
    prij.KodBanky = "0100";
    prij.VarSymbol = "2024000123";
    prij.Popis = "Ambulantní péče";
}

// Every text of every page, pages one after the other.
inline std::vector<std::string> AllTexts(const TReportDocument& doc) {
    std::vector<std::string> texts;
    for (const TReportPage& page : doc.Pages)
        for (std::string& text : page.Texts())
            texts.push_back(std::move(text));
    return texts;
}

// The texts of one item on every page, pages one after the other.
inline std::vector<std::string> TextsOf(const TReportDocument& doc, const std::string& item) {
    std::vector<std::string> texts;
    for (const TReportPage& page : doc.Pages)
        for (std::string& text : page.TextsOf(item))
            texts.push_back(std::move(text));
    return texts;
}

// The text of an item on a page; "" when the item printed nothing there.
inline std::string TextOn(const TReportPage& page, const std::string& item) {
    const TReportElement* e = page.Find(item);
    return e ? e->Text : std::string();
}

// What a command writes to its standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// The text of a PDF file as "pdftotext -raw" gives it, in the order of the content streams.
inline std::string PdfText(const std::filesystem::path& pdf) {
    return CommandOutput("pdftotext -raw -enc UTF-8 '" + pdf.string() + "' - 2>/dev/null");
}

// One value of what pdfinfo tells of a PDF file, e.g. "Pages" or "Page size"; "" when it tells nothing.
inline std::string PdfInfo(const std::filesystem::path& pdf, const std::string& key) {
    const std::string info = CommandOutput("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    size_t at = info.find("\n" + key + ":");
    if (at == std::string::npos)
        return {};
    at = info.find_first_not_of(' ', at + key.size() + 2);
    return info.substr(at, info.find('\n', at) - at);
}

// Whether the texts occur in the haystack in this order.
inline bool InOrder(const std::string& haystack, const std::vector<std::string>& texts,
                    std::string* missing = nullptr) {
    size_t at = 0;
    for (const std::string& text : texts) {
        size_t found = haystack.find(text, at);
        if (found == std::string::npos) {
            if (missing)
                *missing = text;
            return false;
        }
        at = found + text.size();
    }
    return true;
}

// Czech regional settings and a fixed "today" for the time of a test.
class TReportRegion {
public:
    TReportRegion() {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 14, 25, 1));
    }
    ~TReportRegion() {
        TClock::SetNow(std::nullopt);
        TFormatSettings::Set(TFormatSettings{});
    }
    TReportRegion(const TReportRegion&) = delete;
    TReportRegion& operator=(const TReportRegion&) = delete;
};

} // namespace ndlemo::test
