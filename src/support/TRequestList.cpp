#include "support/TRequestList.h"

#include "support/ELimitError.h"
#include "support/ESubroutineError.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <charconv>

namespace ndlemo {

namespace {
bool IsSeparator(char c) {
    return c == TRequestList::FieldSeparator || c == TRequestList::RecordSeparator || c == TRequestList::EndMark;
}
} // namespace

TRequestList::TRequestList() : m_Buffer(1, EndMark) {}

size_t TRequestList::CapacityFor(size_t used) {
    return ((used + CapacityStep - 1) / CapacityStep) * CapacityStep;
}

void TRequestList::CheckValid() const {
    if (m_Buffer.empty() || m_Buffer.back() != EndMark)
        throw ESubroutineError("Není k dispozici korektní požadavek, nelze provést žádnou operaci s požadavkem");
}

int TRequestList::Count() const {
    CheckValid();
    return m_Count;
}

bool TRequestList::MoveTo(int record, bool create) {
    if (record < 0)
        record = 0;
    if (record == m_CursorRecord)
        return true;
    if (record > m_CursorRecord / 2) {
        int last = m_Count > 0 ? m_Count - 1 : 0;
        if (record > (m_CursorRecord + m_Count) / 2 && m_CursorRecord < last) {
            size_t end = m_Buffer.size() - 1;
            size_t sep = end == 0 ? std::string::npos : m_Buffer.rfind(RecordSeparator, end - 1);
            m_CursorPos = sep == std::string::npos ? 0 : sep + 1;
            m_CursorRecord = last;
        }
    } else {
        m_CursorRecord = 0;
        m_CursorPos = 0;
    }
    while (m_CursorRecord < record) {
        size_t pos = m_Buffer.find_first_of(std::string_view("\x14\x15", 2), m_CursorPos);
        if (m_Buffer[pos] == RecordSeparator) {
            m_CursorPos = pos + 1;
            ++m_CursorRecord;
            continue;
        }
        if (!create)
            return false;
        // The end mark: append the missing (empty) records.
        int missing = record - m_CursorRecord;
        m_Buffer.insert(pos, static_cast<size_t>(missing), RecordSeparator);
        if (m_Buffer.size() > m_Capacity)
            m_Capacity = CapacityFor(m_Buffer.size());
        m_Count = record + 1;
        m_CursorRecord = record;
        m_CursorPos = m_Buffer.size() - 1;
    }
    while (m_CursorRecord > record) {
        size_t sep = m_CursorPos >= 2 ? m_Buffer.rfind(RecordSeparator, m_CursorPos - 2) : std::string::npos;
        m_CursorPos = sep == std::string::npos ? 0 : sep + 1;
        --m_CursorRecord;
    }
    return true;
}

size_t TRequestList::FieldStart(int field, int& missing) const {
    size_t pos = m_CursorPos;
    missing = 0;
    for (int i = 0; i < field; ++i) {
        pos = FieldEnd(pos);
        if (m_Buffer[pos] != FieldSeparator) {
            missing = field - i;
            return pos;
        }
        ++pos;
    }
    return pos;
}

size_t TRequestList::FieldEnd(size_t pos) const {
    while (!IsSeparator(m_Buffer[pos]))
        ++pos;
    return pos;
}

std::string TRequestList::GetText(int record, int field) {
    CheckValid();
    if (!MoveTo(record, false) || field < 0)
        return {};
    int missing = 0;
    size_t start = FieldStart(field, missing);
    if (missing > 0)
        return {};
    return m_Buffer.substr(start, FieldEnd(start) - start);
}

void TRequestList::SetText(int record, int field, std::string_view text) {
    CheckValid();
    if (RecordLimit != 0 && record > RecordLimit)
        throw ELimitError("");
    if (field < 0)
        field = 0;
    MoveTo(record, true);
    int missing = 0;
    size_t start = FieldStart(field, missing);
    size_t end = missing > 0 ? start : FieldEnd(start);
    std::string replacement(static_cast<size_t>(missing), FieldSeparator);
    replacement += text;
    m_Buffer.replace(start, end - start, replacement);
    if (m_Count == 0 && m_Buffer.size() > 1)
        m_Count = 1;
    m_Capacity = CapacityFor(m_Buffer.size());
}

int64_t TRequestList::GetInt(int record, int field) {
    std::string text = GetText(record, field);
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+')
        ++b;
    int64_t value = 0;
    auto [ptr, ec] = std::from_chars(b, e, value);
    if (b == e || ec != std::errc() || ptr != e)
        return -1;
    return value;
}

void TRequestList::SetInt(int record, int field, int64_t value) {
    SetText(record, field, std::to_string(value));
}

void TRequestList::AddRequest(int32_t level, const std::string& text, bool allowHigh) {
    if (!allowHigh && level > 255)
        level = 128;
    const std::string key = TrimWhitespace(text);
    int count = Count();
    if (key.empty()) {
        if (level == 0) {
            SetInt(count, 0, level);
            SetText(count, 1, text);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (GetText(i, 1) == key) {
            if (level > GetInt(i, 0))
                SetInt(i, 0, level);
            return;
        }
    }
    SetInt(count, 0, level);
    SetText(count, 1, text);
}

} // namespace ndlemo
