#pragma once

#include "support/TDate.h"
#include "support/TDateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ndlemo {

// Field types; the values are the type codes kept in the stored field descriptors. Only the types with a
// slot size (SlotSizeFor) can be stored; the others are listed so that they can be refused.
enum class TQsFieldType : uint8_t {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
};

// Size counts characters of a text field and is 0 for the other types.
struct TQsFieldDef {
    std::string Name;
    TQsFieldType DataType = TQsFieldType::ftUnknown;
    int32_t Size = 0;
    bool Required = false;

    friend bool operator==(const TQsFieldDef&, const TQsFieldDef&) = default;
};

class TQsStreamDataSet;

// A field of a table, bound to its current record (or to the record being appended or edited).
// Cheap to copy; valid while the table keeps its field definitions.
class TQsField {
public:
    [[nodiscard]] const TQsFieldDef& Def() const;
    [[nodiscard]] const std::string& FieldName() const { return Def().Name; }
    [[nodiscard]] TQsFieldType DataType() const { return Def().DataType; }
    [[nodiscard]] int Index() const { return m_Index; }

    // A field of a table without a current record reads as null.
    [[nodiscard]] bool IsNull() const;
    // Null reads as "" / 0 / false / no date.
    [[nodiscard]] std::string AsString() const;
    [[nodiscard]] int32_t AsInteger() const;
    [[nodiscard]] double AsFloat() const;
    [[nodiscard]] bool AsBoolean() const;
    [[nodiscard]] TDate AsDate() const;
    [[nodiscard]] TDateTime AsDateTime() const;

    // Only while appending or editing. A text longer than the field is cut to its size; "" sets a non-text
    // field to null, and so does "no date" for the date types. Values given to an autoincrement field are
    // ignored: the table numbers its records itself.
    void SetNull();
    void SetAsString(std::string_view value);
    void SetAsInteger(int32_t value);
    void SetAsFloat(double value);
    void SetAsBoolean(bool value);
    void SetAsDate(TDate value);
    void SetAsDateTime(TDateTime value);

private:
    friend class TQsStreamDataSet;
    TQsField(TQsStreamDataSet* table, int index) : m_Table(table), m_Index(index) {}
    // Marks the slot (of the record being appended or edited) as holding its value and tells the table.
    void SetPresent(uint8_t* slot);

    TQsStreamDataSet* m_Table;
    int m_Index;
};

} // namespace ndlemo
