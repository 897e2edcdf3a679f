#pragma once

#include "support/TDate.h"
#include "support/TFormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ndlemo {

// What a validated edit holds.
enum TValueType { vtUnknown = 0, vtText, vtInteger, vtFloat, vtCurrency, vtDate };

[[nodiscard]] inline bool IsNumericValueType(TValueType type) {
    return type == vtInteger || type == vtFloat || type == vtCurrency;
}

// A key as the edit's key filter sees it. Navigation keys (arrows, Home, Delete, Tab...) never reach the
// filter; they always pass.
enum class TEditKey {
    Character, // a printable character (one code point, UTF-8)
    Backspace,
    Enter,
    Escape,
    Copy,         // Ctrl+C
    Paste,        // Ctrl+V
    Cut,          // Ctrl+X
    OtherControl, // any other control character or Ctrl shortcut (undo, select all...)
};

enum class TKeyAction {
    Accept,       // let the edit handle the key (insert Text for a character)
    Drop,         // ignore the key
    Undo,         // undo the last edit and select everything
    CompleteDate, // complete the date with today's parts (CompleteDateText)
    PasteDate,    // paste, parse, and put the previous text back when parsing fails
};

struct TKeyDecision {
    TKeyAction Action = TKeyAction::Drop;
    std::string Text; // for an accepted character: what to insert (the date separator in place of "-", "." ...)
};

// Key filter of a validated edit by value type (the normal mode; see ValidateFloatKey for the strict one).
[[nodiscard]] TKeyDecision FilterEditKey(TValueType type, TEditKey key, std::string_view character,
                                         const TFormatSettings& fs);

// "*" in a date field: the text completed with today's day, month and year, parts without leading zeros.
[[nodiscard]] std::string CompleteDateText(std::string_view text, std::string_view separator, TDate today);

struct TDateEntry {
    enum class TResult {
        Empty,      // no text: no date
        Ok,         // Text and Date are set
        Message,    // Message says what is wrong
        NotANumber, // the day or month part is not a number
    };
    TResult Result = TResult::Empty;
    std::string Text; // day, separator, month, separator, four-digit year (parts as typed)
    TDate Date;
    std::string Message;
};

// Reads the text of a date field on leaving it.
[[nodiscard]] TDateEntry ParseDateEntry(std::string_view text, std::string_view separator);

// "'" + text + "' není přípustná hodnota."
[[nodiscard]] std::string NotAcceptableValueMessage(std::string_view text);

// The number that the text of a numeric field shows while it is typed: only digits, "+", "-", "E", "e" and
// the decimal separator are looked at; 0 when they do not form a number.
[[nodiscard]] double ValueFromTyping(std::string_view text, std::string_view decimalSeparator);
// A whole number of an integer field: the whole-number rule of TryStrToInt64, spaces around it allowed.
[[nodiscard]] bool TryParseInteger(std::string_view text, int64_t& value);
// A decimal number with the decimal separator and an optional exponent; blanks around it are allowed.
[[nodiscard]] bool TryParseDecimal(std::string_view text, std::string_view decimalSeparator, double& value);

// Up to 15 significant digits, no grouping, scientific only for very large or small numbers ("12,5", "1E20").
[[nodiscard]] std::string FormatGeneral(double value, std::string_view decimalSeparator);
// Fixed notation with the given decimals and no grouping; falls back to scientific when the whole part has
// more than precision digits (precision 0 means 15).
[[nodiscard]] std::string FormatFixed(double value, int precision, int decimals, std::string_view decimalSeparator);
// The system's currency format with 2 decimals: "1 234,50 Kč", "-1 234,50 Kč".
[[nodiscard]] std::string FormatCurrency(double value, const TFormatSettings& fs);
// A number format picture: "0" and "#" digit places, "." the decimal separator, "," thousands grouping,
// quoted literals, up to three sections "positive;negative;zero". E.g. "0.00", "#,##0.00".
[[nodiscard]] std::string FormatFloatPicture(std::string_view picture, double value, const TFormatSettings& fs);
// Rounded to a whole number, half away from zero.
[[nodiscard]] double RoundWhole(double value);

struct TEditDisplay {
    TValueType Type = vtText;
    double Value = 0;
    TDate Date;
    std::string CustomFormat;
    int Digits = 0;
    int Decimals = 0;
};
// The text a non-text field shows when it does not have the focus.
[[nodiscard]] std::string FormatEditValue(const TEditDisplay& d, const TFormatSettings& fs);
// The text a numeric field shows for editing: the raw number.
[[nodiscard]] std::string EditingText(TValueType type, double value, const TFormatSettings& fs);

// The strict entry of floating-point numbers. Positions count characters.
struct TValidateResult {
    bool Changed = false; // Text and Caret are the new content
    bool Beep = false;    // the key was refused
    std::string Text;
    int Caret = 0;
};
[[nodiscard]] TValidateResult ValidateFloatKey(std::string_view text, int selStart, int selLength, TEditKey key,
                                               std::string_view character, int digits, int decimals,
                                               std::string_view decimalSeparator);

} // namespace ndlemo
