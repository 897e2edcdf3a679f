#include "app/HeaderFiles.h"

#include "invoice/FormFields.h"
#include "invoice/InvoiceFieldRules.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"
#include "support/TIniFile.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>

namespace ndlemo {

namespace {

struct TDateKey {
    const char* Key;
    std::string TInvoiceForm::*Member;
};
constexpr TDateKey DateKeys[] = {
    {"Datum_vystaveni", &TInvoiceForm::DatVystaveni},
    {"Datum_odeslani", &TInvoiceForm::DatOdeslani},
    {"Datum_prijeti", &TInvoiceForm::DatPrijeti},
    {"Datum_splatnosti", &TInvoiceForm::DatSplatnosti},
};

[[noreturn]] void Refuse(const std::string& value, std::string_view key) {
    throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", value, key);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

std::string TextValue(const std::string& value, const TSettingField& field, std::string_view key) {
    const bool control =
        std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    const bool digits = std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (control || Utf8Length(value) > static_cast<size_t>(field.MaxLength) ||
        (field.Filter == TInputFilter::Digits && !digits) || !FitsCp1250(value))
        Refuse(value, key);
    return value;
}

// A date as the masked field shows it: day, separator, month, separator, four-digit year, blanks for nothing.
std::string DateValue(const std::string& value, std::string_view key) {
    if (value.empty())
        return {};
    const std::string& sep = TFormatSettings::Current().DateSeparator;
    const std::string shape = "99" + sep + "99" + sep + "9999";
    bool fits = value.size() == shape.size();
    for (size_t i = 0; fits && i < value.size(); ++i)
        fits = shape[i] == '9' ? (value[i] >= '0' && value[i] <= '9') || value[i] == ' ' : value[i] == shape[i];
    if (!fits)
        Refuse(value, key);
    try {
        return NormalizeDateText(value);
    } catch (const ESubroutineError&) {
        Refuse(value, key);
    }
}

// "." or "," as the decimal separator, an optional sign, nothing else.
double AmountValue(const std::string& value, std::string_view key) {
    std::string text = value;
    std::replace(text.begin(), text.end(), ',', '.');
    const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
    const char* end = text.data() + text.size();
    double amount = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, amount, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != end)
        Refuse(value, key);
    return amount;
}

// Walks the keys of the header's one section, each once; handle gives every key and value to the form and
// returns false for a key the form has not.
template <typename THandle>
void ReadHeader(std::string_view bytes, const char* section, const char* what, THandle handle) {
    const TIniFile ini = IsUtf8(bytes) ? TIniFile::FromUtf8(bytes) : TIniFile::FromBytes(bytes);
    for (const std::string& name : ini.ReadSections()) {
        if (!EqualNoCase(name, section))
            throw ESubroutineError("Neznámá sekce \"%s\" hlavičky %s", name, what);
    }
    std::vector<std::string> seen;
    for (const std::string& key : ini.ReadKeys(section)) {
        // A header that says one thing twice says nothing for sure.
        if (std::find_if(seen.begin(), seen.end(), [&key](const std::string& k) { return EqualNoCase(k, key); }) !=
            seen.end())
            throw ESubroutineError("Klíč \"%s\" je v hlavičce %s dvakrát", key, what);
        seen.push_back(key);
        const std::string value = ini.ReadString(section, key, "");
        if (!handle(key, value))
            throw ESubroutineError("Neznámý klíč \"%s\" (hodnota \"%s\") hlavičky %s", key, value, what);
    }
}

// A text field of the form under its key.
template <typename TForm, typename TField>
bool SetTextField(std::span<const TField> fields, TForm& form, const std::string& key, const std::string& value) {
    auto field =
        std::find_if(fields.begin(), fields.end(), [&key](const TField& f) { return EqualNoCase(f.Key, key); });
    if (field == fields.end())
        return false;
    form.*(field->Member) = TextValue(value, field->Field, key);
    return true;
}
std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ESubroutineError("Soubor \"%s\" nelze přečíst: %s", file.string(), std::strerror(errno));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TInvoiceForm ReadInvoiceHeader(std::string_view bytes, const TInvoiceForm& defaults, int interval) {
    TInvoiceForm form = defaults;
    bool maturityGiven = false;
    ReadHeader(bytes, "Faktura", "faktury", [&](const std::string& key, const std::string& value) {
        if (SetTextField(InvoiceTextFields(), form, key, value))
            return true;
        auto date = std::find_if(std::begin(DateKeys), std::end(DateKeys),
                                 [&key](const TDateKey& d) { return EqualNoCase(d.Key, key); });
        if (date != std::end(DateKeys)) {
            form.*(date->Member) = DateValue(value, key);
            maturityGiven = maturityGiven || date->Member == &TInvoiceForm::DatSplatnosti;
        } else if (EqualNoCase(key, "Castka")) {
            form.Castka = AmountValue(value, key);
        } else if (EqualNoCase(key, "Generovat")) {
            if (value != "A" && value != "N")
                Refuse(value, key);
            form.GenerFak = value == "A";
        } else {
            return false;
        }
        return true;
    });
    if (!maturityGiven)
        form.DatSplatnosti = MaturityAfterReceipt(form.DatPrijeti, "", interval);
    return form;
}

TReportsForm ReadReportsHeader(std::string_view bytes, const TReportsForm& defaults) {
    TReportsForm form = defaults;
    ReadHeader(bytes, "Lekarske_zpravy", "lékařských zpráv", [&](const std::string& key, const std::string& value) {
        return SetTextField(ReportsTextFields(), form, key, value);
    });
    return form;
}

TInvoiceForm ReadInvoiceHeaderFile(const std::filesystem::path& file, const TInvoiceForm& defaults, int interval) {
    return ReadInvoiceHeader(ReadFile(file), defaults, interval);
}

TReportsForm ReadReportsHeaderFile(const std::filesystem::path& file, const TReportsForm& defaults) {
    return ReadReportsHeader(ReadFile(file), defaults);
}

} // namespace ndlemo
