#pragma once

#include "support/FormatText.h"
#include "support/TIniFile.h"
#include "support/TRequestList.h"
#include "support/TSettingField.h"
#include "support/TTransferType.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"

#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace ndlemo {

// How a setting is kept in its file.
enum class TSettingKind {
    Text,    // the text, trimmed
    Integer, // a whole number, 0 when the text is none; written in decimal
    YesNo,   // "A" is yes, any other text no; written "A" or "N"
    OneZero, // the whole number 1 is on, any other value off; written 1 or 0
    Code,    // the transfer type, kept as its code text
};

// One setting of a settings group S: where it lives in the file, how it is kept, which member of S holds it,
// its dialog field and the rule (of the group's own rule type R) that validates it. A group is an array of
// rows; loading, saving, checking and the dialog's fields all walk it.
template <typename S, typename R> struct TSettingRow {
    using TMember = std::variant<std::string S::*, int S::*, bool S::*, TTransferType S::*>;

    const char* Section;
    const char* Key;
    TSettingKind Kind;
    TMember Member;
    const char* Default = "";
    TSettingField Field = {};
    R Rule = R{};
};

// The setting's value as text, untrimmed, as messages quote it.
template <typename S, typename R> std::string ValueText(const TSettingRow<S, R>& row, const S& settings) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = settings.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, int>)
                return std::to_string(value);
            else if constexpr (std::is_same_v<T, bool>)
                return row.Kind == TSettingKind::YesNo ? (value ? "A" : "N") : (value ? "1" : "0");
            else
                return value.Text();
        },
        row.Member);
}

// The setting's value as its file keeps it.
template <typename S, typename R> std::string StoredText(const TSettingRow<S, R>& row, const S& settings) {
    return TrimWhitespace(ValueText(row, settings));
}

// Sets the setting from the text its file (or its field) holds.
template <typename S, typename R> void SetFromText(const TSettingRow<S, R>& row, S& settings, std::string_view text) {
    std::visit(
        [&](auto member) {
            auto& value = settings.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                value = TrimWhitespace(text);
            } else if constexpr (std::is_same_v<T, int>) {
                int32_t number = 0;
                value = TryStrToInt(TrimWhitespace(text), number) ? number : 0;
            } else if constexpr (std::is_same_v<T, bool>) {
                const std::string t = TrimWhitespace(text);
                int32_t number = 0;
                value = row.Kind == TSettingKind::YesNo ? t == "A" : TryStrToInt(t, number) && number == 1;
            } else {
                value = TTransferType(TrimWhitespace(text));
            }
        },
        row.Member);
}

// Every row from the file; a missing key gives the row's default, a key present with an empty value is empty.
template <typename S, typename R>
void LoadSettings(const TIniFile& ini, std::span<const TSettingRow<S, R>> rows, S& settings) {
    for (const auto& row : rows)
        SetFromText(row, settings, ini.ReadString(row.Section, row.Key, row.Default));
}

// Every row into the file's text, in the order of the rows; the caller writes the file (TIniFile::UpdateFile).
template <typename S, typename R>
void StoreSettings(TIniFile& ini, std::span<const TSettingRow<S, R>> rows, const S& settings) {
    for (const auto& row : rows)
        ini.WriteString(row.Section, row.Key, StoredText(row, settings));
}

// A text the settings file cannot hold (a character without a Windows-1250 byte) is refused with the field's
// name; false then, and the row's own rule need not run.
template <typename S, typename R>
bool CheckStorable(const TSettingRow<S, R>& row, const std::string& value, TRequestList& requests) {
    if (FitsCp1250(value))
        return true;
    requests.AddRequest(256, FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", value, row.Field.DisplayName), true);
    return false;
}

} // namespace ndlemo
