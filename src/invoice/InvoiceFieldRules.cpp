#include "invoice/InvoiceFieldRules.h"

#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <cstdint>

namespace ndlemo {

namespace {
// Characters [start, start + count) of the text, 0-based; shorter or empty past its end.
std::string_view Part(std::string_view text, size_t start, size_t count) {
    return start < text.size() ? text.substr(start, count) : std::string_view();
}

// The mask allows digits only; a number that no date part can be (a sign, hexadecimal, more than four
// digits) is as unreadable as a letter.
bool ReadPart(std::string_view text, uint16_t& value) {
    int32_t number = 0;
    if (!TryStrToInt(TrimWhitespace(text), number) || number < 0 || number > 9999)
        return false;
    value = static_cast<uint16_t>(number);
    return true;
}
} // namespace

bool IsBlankDateText(std::string_view text) {
    const std::string& separator = TFormatSettings::Current().DateSeparator;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (!separator.empty() && text.substr(i, separator.size()) == separator) {
            i += separator.size();
        } else {
            return false;
        }
    }
    return true;
}

TDate TextToDate(std::string_view text) {
    if (TrimWhitespace(text).empty() || IsBlankDateText(text))
        return TDate();
    uint16_t day = 0, month = 0, year = 0;
    if (!ReadPart(Part(text, 0, 2), day) || !ReadPart(Part(text, 3, 2), month) || !ReadPart(Part(text, 6, 4), year))
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro datum", std::string(text));
    return EncodeDateBackward(year, month, day);
}

std::string DateToText(TDate date) {
    return TFormatSettings::Current().FormatDate(date);
}

std::string NormalizeDateText(std::string_view text) {
    return DateToText(TextToDate(text));
}

std::string MaturityAfterReceipt(std::string_view receiptText, std::string_view maturityText, int interval) {
    if (interval <= 0 || !IsBlankDateText(maturityText))
        return std::string(maturityText);
    const TDate receipt = TextToDate(receiptText);
    if (receipt.IsNull())
        return std::string(maturityText);
    return DateToText(receipt.AddDays(interval));
}

std::string CleanInvoiceNumber(std::string_view text) {
    std::string digits;
    for (char c : TrimWhitespace(text))
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

} // namespace ndlemo
