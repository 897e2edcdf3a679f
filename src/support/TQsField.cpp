#include "support/TQsField.h"

#include "support/FormatText.h"
#include "support/QsSlotValues.h"
#include "support/TFormatSettings.h"
#include "support/TQsStreamDataSet.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ndlemo {

using namespace qs;

const TQsFieldDef& TQsField::Def() const {
    return m_Table->m_FieldDefs.at(static_cast<size_t>(m_Index));
}

bool TQsField::IsNull() const {
    return !ValueOf(m_Table->FieldSlot(m_Index));
}

std::string TQsField::AsString() const {
    return SlotText(Def(), m_Table->FieldSlot(m_Index));
}

int32_t TQsField::AsInteger() const {
    const TQsFieldDef& d = Def();
    const uint8_t* v = ValueOf(m_Table->FieldSlot(m_Index));
    switch (d.DataType) {
    case TQsFieldType::ftString: {
        std::string text = AsString();
        return TrimSpaces(text).empty() ? 0 : ParseInt32(text);
    }
    case TQsFieldType::ftSmallint:
        return v ? static_cast<int16_t>(GetU16(v)) : 0;
    case TQsFieldType::ftWord:
        return v ? GetU16(v) : 0;
    case TQsFieldType::ftInteger:
    case TQsFieldType::ftAutoInc:
        return v ? GetI32(v) : 0;
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency: {
        double rounded = v ? std::round(GetDouble(v)) : 0.0;
        if (!FitsInt32(rounded))
            AccessError(d, "Integer");
        return static_cast<int32_t>(rounded);
    }
    default:
        AccessError(d, "Integer");
    }
}

double TQsField::AsFloat() const {
    const TQsFieldDef& d = Def();
    const uint8_t* v = ValueOf(m_Table->FieldSlot(m_Index));
    switch (d.DataType) {
    case TQsFieldType::ftString: {
        std::string text = AsString();
        return TrimSpaces(text).empty() ? 0.0 : ParseFloat(text);
    }
    case TQsFieldType::ftSmallint:
    case TQsFieldType::ftWord:
    case TQsFieldType::ftInteger:
    case TQsFieldType::ftAutoInc:
        return AsInteger();
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
    case TQsFieldType::ftDateTime:
        return v ? GetDouble(v) : 0.0;
    case TQsFieldType::ftDate:
    case TQsFieldType::ftTime:
        return AsDateTime().Value();
    default:
        AccessError(d, "Float");
    }
}

bool TQsField::AsBoolean() const {
    const TQsFieldDef& d = Def();
    if (d.DataType == TQsFieldType::ftBoolean) {
        const uint8_t* v = ValueOf(m_Table->FieldSlot(m_Index));
        return v && GetU16(v) != 0;
    }
    if (d.DataType != TQsFieldType::ftString)
        AccessError(d, "Boolean");
    std::string text = AsString();
    std::string_view t = TrimSpaces(text);
    if (t.empty() || SameName(t, "False"))
        return false;
    if (SameName(t, "True"))
        return true;
    Fail(FormatText("'%s' is not a valid boolean value", text));
}

TDate TQsField::AsDate() const {
    const TQsFieldDef& d = Def();
    const uint8_t* v = ValueOf(m_Table->FieldSlot(m_Index));
    switch (d.DataType) {
    case TQsFieldType::ftDate:
        return v ? TDate(GetI32(v)) : TDate();
    case TQsFieldType::ftDateTime:
    case TQsFieldType::ftString:
        return AsDateTime().Date();
    default:
        AccessError(d, "Date");
    }
}

TDateTime TQsField::AsDateTime() const {
    const TQsFieldDef& d = Def();
    const uint8_t* v = ValueOf(m_Table->FieldSlot(m_Index));
    switch (d.DataType) {
    case TQsFieldType::ftDate:
        return v ? DateTimeOf(TDate(GetI32(v)), 0) : TDateTime();
    case TQsFieldType::ftTime:
        return v ? DateTimeOf(TDate(), GetI32(v)) : TDateTime();
    case TQsFieldType::ftDateTime:
        return v ? TDateTime(GetDouble(v)) : TDateTime();
    case TQsFieldType::ftString: {
        std::string text = AsString();
        std::string_view t = TrimSpaces(text);
        if (t.empty())
            return TDateTime();
        std::optional<TDateTime> value = TryParseDateTime(t);
        if (!value)
            Fail(FormatText("'%s' is not a valid date and time", text));
        return *value;
    }
    default:
        AccessError(d, "DateTime");
    }
}

void TQsField::SetPresent(uint8_t* slot) {
    slot[0] = 1;
    m_Table->FieldSet(m_Index);
}

void TQsField::SetNull() {
    uint8_t* p = m_Table->EditSlot(m_Index);
    if (Def().DataType == TQsFieldType::ftAutoInc)
        return;
    std::memset(p, 0, static_cast<size_t>(TQsStreamDataSet::SlotSizeFor(Def().DataType, Def().Size)));
    m_Table->FieldSet(m_Index);
}

void TQsField::SetAsString(std::string_view value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    switch (d.DataType) {
    case TQsFieldType::ftString: {
        // One byte per character in the slot, so cutting the bytes cuts the characters.
        std::string bytes = Utf8ToCp1250(value);
        size_t n = std::min(bytes.size(), static_cast<size_t>(d.Size));
        n = std::min(n, strnlen(bytes.data(), n));
        std::memset(p, 0, static_cast<size_t>(d.Size) + 5);
        std::memcpy(p + 1, bytes.data(), n);
        SetPresent(p);
        return;
    }
    case TQsFieldType::ftAutoInc:
        return;
    default:
        break;
    }
    std::string_view t = TrimSpaces(value);
    if (value.empty()) {
        SetNull();
        return;
    }
    switch (d.DataType) {
    case TQsFieldType::ftSmallint:
    case TQsFieldType::ftWord:
    case TQsFieldType::ftInteger:
        SetAsInteger(ParseInt32(value));
        return;
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
        SetAsFloat(ParseFloat(value));
        return;
    case TQsFieldType::ftBoolean:
        if (SameName(t, "True"))
            SetAsBoolean(true);
        else if (SameName(t, "False"))
            SetAsBoolean(false);
        else
            Fail(FormatText("'%s' is not a valid boolean value", value));
        return;
    case TQsFieldType::ftDate: {
        TDate date;
        if (!TryParseDate(t, date))
            Fail(FormatText("'%s' is not a valid date", value));
        SetAsDate(date);
        return;
    }
    case TQsFieldType::ftTime: {
        int32_t ms = 0;
        if (!TryParseTime(t, ms))
            Fail(FormatText("'%s' is not a valid time", value));
        SetAsDateTime(DateTimeOf(TDate(), ms));
        return;
    }
    case TQsFieldType::ftDateTime: {
        std::optional<TDateTime> dateTime = TryParseDateTime(t);
        if (!dateTime)
            Fail(FormatText("'%s' is not a valid date and time", value));
        SetAsDateTime(*dateTime);
        return;
    }
    default:
        AccessError(d, "String");
    }
}

void TQsField::SetAsInteger(int32_t value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    auto range = [&](int32_t lo, int32_t hi) {
        if (value < lo || value > hi)
            Fail(FormatText("%d is not a valid value for field '%s'. The allowed range is %d to %d", value, d.Name, lo,
                            hi));
    };
    switch (d.DataType) {
    case TQsFieldType::ftString:
        SetAsString(std::to_string(value));
        return;
    case TQsFieldType::ftAutoInc:
        return;
    case TQsFieldType::ftSmallint:
        range(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
        PutU16(p + 1, static_cast<uint16_t>(static_cast<int16_t>(value)));
        break;
    case TQsFieldType::ftWord:
        range(0, std::numeric_limits<uint16_t>::max());
        PutU16(p + 1, static_cast<uint16_t>(value));
        break;
    case TQsFieldType::ftInteger:
        PutI32(p + 1, value);
        break;
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
        PutDouble(p + 1, value);
        break;
    default:
        AccessError(d, "Integer");
    }
    SetPresent(p);
}

void TQsField::SetAsFloat(double value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    switch (d.DataType) {
    case TQsFieldType::ftString:
        SetAsString(FloatText(value));
        return;
    case TQsFieldType::ftAutoInc:
        return;
    case TQsFieldType::ftSmallint:
    case TQsFieldType::ftWord:
    case TQsFieldType::ftInteger: {
        double rounded = std::round(value);
        if (!FitsInt32(rounded))
            BadValue(d, value);
        SetAsInteger(static_cast<int32_t>(rounded));
        return;
    }
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
        if (!std::isfinite(value))
            BadValue(d, value);
        PutDouble(p + 1, value);
        SetPresent(p);
        return;
    case TQsFieldType::ftDate:
    case TQsFieldType::ftTime:
    case TQsFieldType::ftDateTime:
        SetAsDateTime(TDateTime(value));
        return;
    default:
        AccessError(d, "Float");
    }
}

void TQsField::SetAsBoolean(bool value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    if (d.DataType == TQsFieldType::ftString) {
        SetAsString(value ? "True" : "False");
        return;
    }
    if (d.DataType != TQsFieldType::ftBoolean)
        AccessError(d, "Boolean");
    PutU16(p + 1, value ? 1 : 0);
    SetPresent(p);
}

void TQsField::SetAsDate(TDate value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    switch (d.DataType) {
    case TQsFieldType::ftString:
        SetAsString(TFormatSettings::Current().FormatDate(value));
        return;
    case TQsFieldType::ftDate:
        if (value.IsNull()) {
            SetNull();
            return;
        }
        PutI32(p + 1, value.Serial());
        SetPresent(p);
        return;
    case TQsFieldType::ftDateTime:
        SetAsDateTime(DateTimeOf(value, 0));
        return;
    default:
        AccessError(d, "Date");
    }
}

void TQsField::SetAsDateTime(TDateTime value) {
    const TQsFieldDef& d = Def();
    uint8_t* p = m_Table->EditSlot(m_Index);
    if (!std::isfinite(value.Value()) || std::fabs(value.Value()) > 3e6)
        BadValue(d, value.Value());
    switch (d.DataType) {
    case TQsFieldType::ftString:
        if (value.IsNull())
            SetAsString("");
        else
            SetAsString(DateTimeText(value));
        return;
    case TQsFieldType::ftDate:
        SetAsDate(value.Date());
        return;
    case TQsFieldType::ftTime:
        PutI32(p + 1, MsOfDay(value));
        SetPresent(p);
        return;
    case TQsFieldType::ftDateTime:
        if (value.IsNull()) {
            SetNull();
            return;
        }
        PutDouble(p + 1, value.Value());
        SetPresent(p);
        return;
    default:
        AccessError(d, "DateTime");
    }
}

} // namespace ndlemo
