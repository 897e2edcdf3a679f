#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ndlemo {

// A table of text records kept in one character buffer: fields separated by character 18, records by 20,
// and character 21 after the last record. Used as a request list, record i holds a level (field 0) and a
// text (field 1). All field operations move a cursor, which walks from the nearest of the first record,
// the cursor and the last record. Raises ESubroutineError when the buffer is not valid, and ELimitError
// when a write passes the record limit.
class TRequestList {
public:
    static constexpr char FieldSeparator = 18;
    static constexpr char RecordSeparator = 20;
    static constexpr char EndMark = 21;
    static constexpr size_t CapacityStep = 4096;

    TRequestList();

    [[nodiscard]] int Count() const;

    // Appends a request, or raises the level of the request with the same (trimmed) text.
    void AddRequest(int32_t level, const std::string& text, bool allowHigh);

    // Empty text when the record or field does not exist; a read never creates records.
    [[nodiscard]] std::string GetText(int record, int field);
    void SetText(int record, int field, std::string_view text);
    // -1 when the field does not hold a decimal integer.
    [[nodiscard]] int64_t GetInt(int record, int field);
    void SetInt(int record, int field, int64_t value);

    // Highest record index that may be written; 0 means no limit.
    int RecordLimit = 0;

    [[nodiscard]] size_t Capacity() const { return m_Capacity; }
    [[nodiscard]] size_t UsedLength() const { return m_Buffer.size(); }
    [[nodiscard]] const std::string& Buffer() const { return m_Buffer; }
    [[nodiscard]] int CursorRecord() const { return m_CursorRecord; }
    // For tests of the validity check.
    void CorruptForTest() { m_Buffer.back() = 'x'; }

private:
    void CheckValid() const;
    // Moves the cursor to the record; with create false stops at the last record and returns false.
    bool MoveTo(int record, bool create);
    [[nodiscard]] size_t FieldStart(int field, int& missing) const;
    [[nodiscard]] size_t FieldEnd(size_t pos) const;
    static size_t CapacityFor(size_t used);

    std::string m_Buffer;
    size_t m_Capacity = CapacityStep;
    int m_CursorRecord = 0;
    size_t m_CursorPos = 0; // 0-based start of the cursor record
    int m_Count = 0;
};

} // namespace ndlemo
