#include "support/TQsStreamDataSet.h"

#include "support/EQsSDSException.h"
#include "support/FormatText.h"
#include "support/QsSlotValues.h"
#include "support/TFormatSettings.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

namespace ndlemo {

using namespace qs;

namespace {

constexpr char Signature[21] = {'Q', 's', 'F', 'i', 'l', 'e', 'D', 'a', 't',  'a', 'S',
                                'e', 't', '_', 'D', 'a', 't', 'a', '_', 0x1A, 0x00};
constexpr uint8_t FormatVersion = 1;

// Header offsets.
constexpr size_t HdrVersion = 21;
constexpr size_t HdrLive = 22;
constexpr size_t HdrFieldCount = 26;
constexpr size_t HdrDeleted = 30;
constexpr size_t HdrRecordSize = 34;
constexpr size_t HdrAutoInc = 38;
constexpr size_t HdrFirstRecord = 42;

// Descriptor offsets.
constexpr size_t DscType = 33;
constexpr size_t DscSize = 36;
constexpr size_t DscRequired = 40;
constexpr size_t DscSlotSize = 44;

class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : m_Flag(flag) { m_Flag = true; }
    ~TFlagGuard() { m_Flag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& m_Flag;
};

// Header of a table with these counts (live, deleted and autoincrement are 0 for a new one).
void PutHeader(uint8_t* header, int32_t fieldCount, int32_t recordSize, int32_t firstRecord, int32_t live = 0,
               int32_t deleted = 0, int32_t autoInc = 0) {
    std::memcpy(header, Signature, sizeof Signature);
    header[HdrVersion] = FormatVersion;
    PutI32(header + HdrLive, live);
    PutI32(header + HdrFieldCount, fieldCount);
    PutI32(header + HdrDeleted, deleted);
    PutI32(header + HdrRecordSize, recordSize);
    PutI32(header + HdrAutoInc, autoInc);
    PutI32(header + HdrFirstRecord, firstRecord);
}

constexpr unsigned PendingData = 1;
constexpr unsigned PendingState = 2;
constexpr unsigned PendingScroll = 4;

} // namespace

// ---------------------------------------------------------------------------------------------------
// Storage

class TQsStreamDataSet::TStorage {
public:
    virtual ~TStorage() = default;
    [[nodiscard]] virtual int64_t Size() const = 0;
    // Exactly n bytes or "Stream read error".
    virtual void Read(int64_t offset, uint8_t* dst, size_t n) = 0;
    // Grows the storage when writing past its end; "Stream write error" on failure.
    virtual void Write(int64_t offset, const uint8_t* src, size_t n) = 0;
    virtual void Truncate(int64_t size) = 0;
    virtual void Flush() {}
    [[nodiscard]] virtual const std::vector<uint8_t>* Bytes() const { return nullptr; }
};

class TQsStreamDataSet::TMemoryStorage : public TQsStreamDataSet::TStorage {
public:
    explicit TMemoryStorage(std::vector<uint8_t> image) : m_Data(std::move(image)) {
        m_Data.reserve(std::max(InitialCapacity, m_Data.size()));
    }
    [[nodiscard]] int64_t Size() const override { return static_cast<int64_t>(m_Data.size()); }
    void Read(int64_t offset, uint8_t* dst, size_t n) override {
        if (offset < 0 || static_cast<size_t>(offset) + n > m_Data.size())
            Fail("Stream read error");
        std::memcpy(dst, m_Data.data() + offset, n);
    }
    void Write(int64_t offset, const uint8_t* src, size_t n) override {
        auto end = static_cast<size_t>(offset) + n;
        if (end > m_Data.size())
            m_Data.resize(end);
        std::memcpy(m_Data.data() + offset, src, n);
    }
    void Truncate(int64_t size) override { m_Data.resize(static_cast<size_t>(size)); }
    [[nodiscard]] const std::vector<uint8_t>* Bytes() const override { return &m_Data; }

private:
    std::vector<uint8_t> m_Data;
};

class TQsStreamDataSet::TFileStorage : public TQsStreamDataSet::TStorage {
public:
    TFileStorage(std::filesystem::path path, bool readOnly) : m_Path(std::move(path)) {
        auto mode = std::ios::binary | std::ios::in | (readOnly ? std::ios::openmode() : std::ios::out);
        m_File.open(m_Path, mode);
        std::error_code ec;
        auto size = std::filesystem::file_size(m_Path, ec);
        if (!m_File.is_open() || ec)
            Fail(FormatText("Cannot open file \"%s\"", ToUtf8(m_Path)));
        m_Size = static_cast<int64_t>(size);
    }
    [[nodiscard]] int64_t Size() const override { return m_Size; }
    void Read(int64_t offset, uint8_t* dst, size_t n) override {
        m_File.clear();
        if (offset < 0 || offset + static_cast<int64_t>(n) > m_Size || !m_File.seekg(offset) ||
            !m_File.read(reinterpret_cast<char*>(dst), static_cast<std::streamsize>(n))) {
            m_File.clear();
            Fail("Stream read error");
        }
    }
    void Write(int64_t offset, const uint8_t* src, size_t n) override {
        m_File.clear();
        if (!m_File.seekp(offset) ||
            !m_File.write(reinterpret_cast<const char*>(src), static_cast<std::streamsize>(n)) || !m_File.flush()) {
            m_File.clear();
            Fail("Stream write error");
        }
        m_Size = std::max(m_Size, offset + static_cast<int64_t>(n));
    }
    void Truncate(int64_t size) override {
        std::error_code ec;
        m_File.flush();
        std::filesystem::resize_file(m_Path, static_cast<uintmax_t>(size), ec);
        if (ec)
            Fail("Stream write error");
        m_Size = size;
    }
    void Flush() override {
        if (!m_File.flush()) {
            m_File.clear();
            Fail("Stream write error");
        }
    }

    static std::string ToUtf8(const std::filesystem::path& p) {
        auto u8 = p.u8string();
        return std::string(u8.begin(), u8.end());
    }

private:
    std::filesystem::path m_Path;
    std::fstream m_File;
    int64_t m_Size = 0;
};

namespace {
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
} // namespace

// ---------------------------------------------------------------------------------------------------
// Definitions and settings

TQsStreamDataSet::TQsStreamDataSet() = default;

TQsStreamDataSet::TQsStreamDataSet(std::string name) : Name(std::move(name)) {}

TQsStreamDataSet::~TQsStreamDataSet() {
    try {
        m_Listeners.clear();
        Close();
    } catch (...) {
        // The storage goes away with the object; nothing is left to report to.
    }
}

int32_t TQsStreamDataSet::SlotSizeFor(TQsFieldType type, int32_t size) {
    switch (type) {
    case TQsFieldType::ftString:
        return size < 0 || size > MaxRecordSize ? 0 : size + 5;
    case TQsFieldType::ftSmallint:
    case TQsFieldType::ftWord:
    case TQsFieldType::ftBoolean:
        return 3;
    case TQsFieldType::ftInteger:
    case TQsFieldType::ftDate:
    case TQsFieldType::ftTime:
    case TQsFieldType::ftAutoInc:
        return 5;
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
    case TQsFieldType::ftDateTime:
        return 9;
    default:
        return 0;
    }
}

void TQsStreamDataSet::CheckInactive() const {
    if (Active())
        Fail("Cannot perform this operation on an open dataset");
}

void TQsStreamDataSet::CheckActive() const {
    if (!Active())
        Fail("Cannot perform this operation on a closed dataset");
}

void TQsStreamDataSet::CheckWritable() const {
    if (m_ReadOnly)
        Fail("Cannot modify a read-only dataset");
}

void TQsStreamDataSet::CheckEditing() const {
    CheckActive();
    if (m_State != TState::Edit && m_State != TState::Insert)
        Fail("Dataset not in edit or insert mode");
}

void TQsStreamDataSet::AddFieldDef(std::string name, TQsFieldType type, int32_t size, bool required) {
    CheckInactive();
    m_FieldDefs.push_back({std::move(name), type, IsTextType(type) ? size : 0, required});
}

void TQsStreamDataSet::SetFieldDefs(std::vector<TQsFieldDef> defs) {
    CheckInactive();
    for (auto& d : defs)
        if (!IsTextType(d.DataType))
            d.Size = 0;
    m_FieldDefs = std::move(defs);
}

void TQsStreamDataSet::ClearFieldDefs() {
    CheckInactive();
    m_FieldDefs.clear();
}

void TQsStreamDataSet::SetInMemTable(bool value) {
    CheckInactive();
    m_InMemTable = value;
}

void TQsStreamDataSet::SetTableName(std::string value) {
    CheckInactive();
    m_TableName = std::move(value);
}

void TQsStreamDataSet::SetReadOnly(bool value) {
    CheckInactive();
    m_ReadOnly = value;
}

void TQsStreamDataSet::SetFiltered(bool value) {
    if (m_Filtered == value)
        return;
    if (Active())
        CheckBrowseMode();
    m_Filtered = value;
    if (Active()) {
        First();
        Notify(TQsChange::DataSetChanged, m_Cursor);
    }
}

void TQsStreamDataSet::SetOnFilterRecord(TFilter filter) {
    if (Active())
        CheckBrowseMode();
    m_OnFilterRecord = std::move(filter);
    if (Active() && m_Filtered) {
        First();
        Notify(TQsChange::DataSetChanged, m_Cursor);
    }
}

// Refuses what the layout cannot hold, before anything is written.
void TQsStreamDataSet::ValidateDefs(const std::vector<TQsFieldDef>& defs) const {
    int64_t recordSize = 1;
    int autoIncs = 0;
    for (size_t i = 0; i < defs.size(); ++i) {
        const TQsFieldDef& d = defs[i];
        std::string stored = Utf8ToCp1250(d.Name);
        if (d.Name.empty() || stored.size() > MaxFieldNameLength || Cp1250ToUtf8(stored) != d.Name ||
            stored.find('\0') != std::string::npos)
            Fail(FormatText("Invalid field name '%s'", d.Name));
        for (size_t k = 0; k < i; ++k)
            if (SameName(defs[k].Name, d.Name))
                Fail(FormatText("Duplicate field name '%s'", d.Name));
        if (SlotSizeFor(d.DataType, 0) == 0)
            Fail("Unsupported field type");
        if (IsTextType(d.DataType) && SlotSizeFor(d.DataType, d.Size) == 0)
            Fail(FormatText("Invalid field size %d of field '%s'", d.Size, d.Name));
        if (d.DataType == TQsFieldType::ftAutoInc && ++autoIncs > 1)
            Fail("Only one Autoinc field is supported");
        recordSize += SlotSizeFor(d.DataType, d.Size);
    }
    if (recordSize > MaxRecordSize)
        Fail(FormatText("Record size exceeds %d bytes", MaxRecordSize));
}

// Header and descriptors of an empty table of the current definitions.
std::vector<uint8_t> TQsStreamDataSet::BuildTableImage() const {
    ValidateDefs(m_FieldDefs);
    auto count = static_cast<int32_t>(m_FieldDefs.size());
    int32_t first = HeaderSize + DescriptorSize * count;
    std::vector<uint8_t> image(static_cast<size_t>(first), 0);
    int32_t recordSize = 1;
    for (int32_t i = 0; i < count; ++i) {
        const TQsFieldDef& d = m_FieldDefs[static_cast<size_t>(i)];
        uint8_t* p = image.data() + HeaderSize + DescriptorSize * i;
        std::string name = Utf8ToCp1250(d.Name);
        std::memcpy(p, name.data(), name.size());
        p[DscType] = static_cast<uint8_t>(d.DataType);
        PutI32(p + DscSize, IsTextType(d.DataType) ? d.Size : 0);
        p[DscRequired] = d.Required ? 1 : 0;
        int32_t slot = SlotSizeFor(d.DataType, d.Size);
        PutI32(p + DscSlotSize, slot);
        recordSize += slot;
    }
    PutHeader(image.data(), count, recordSize, first);
    return image;
}

void TQsStreamDataSet::CreateTable() {
    CheckInactive();
    if (m_InMemTable)
        return; // created on every Open
    if (m_TableName.empty())
        Fail("TableName is missing");
    std::vector<uint8_t> image = BuildTableImage();
    std::filesystem::path path = PathOf(m_TableName);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size())) ||
        !out.flush())
        Fail(FormatText("Cannot create file \"%s\"", m_TableName));
}

// ---------------------------------------------------------------------------------------------------
// Open and close

void TQsStreamDataSet::SetActive(bool value) {
    if (value == Active())
        return;
    if (value) {
        if (m_InMemTable) {
            m_Storage = std::make_unique<TMemoryStorage>(BuildTableImage());
        } else {
            if (m_TableName.empty())
                Fail("TableName is missing");
            m_Storage = std::make_unique<TFileStorage>(PathOf(m_TableName), m_ReadOnly);
        }
        try {
            ReadStructure();
        } catch (...) {
            ReleaseStorage();
            throw;
        }
        m_State = TState::Browse;
        m_Modified = false;
        int32_t first = FindVisible(0, 1);
        m_Cursor = first;
        m_HasRecord = first >= 0;
        m_Bof = true;
        m_Eof = first < 0;
    } else {
        m_State = TState::Browse; // a pending append or edit is dropped
        if (m_LiveCount != m_WrittenLive || m_DeletedCount != m_WrittenDeleted) {
            try {
                WriteHeader(m_LiveCount, m_DeletedCount, m_AutoIncValue);
            } catch (...) {
                ReleaseStorage();
                throw;
            }
        }
        ReleaseStorage();
    }
    Notify(TQsChange::ActiveChanged, m_Cursor);
}

void TQsStreamDataSet::ReleaseStorage() {
    m_Storage.reset();
    m_State = TState::Inactive;
    m_RecordSize = 0;
    m_FirstRecordOffset = 0;
    m_SlotOffsets.clear();
    m_AutoIncField = -1;
    m_LiveCount = m_DeletedCount = m_AutoIncValue = 0;
    m_WrittenLive = m_WrittenDeleted = 0;
    m_Cursor = -1;
    m_Bof = m_Eof = true;
    m_HasRecord = false;
    m_Modified = false;
    m_Buffer.clear();
    m_Buffer.shrink_to_fit();
    m_Scan.clear();
    m_Scan.shrink_to_fit();
}

// Checks the header and descriptors of the storage and takes the table's structure from them. Whatever a
// damaged file holds, nothing is read outside of it afterwards.
void TQsStreamDataSet::ReadStructure() {
    TStorage& st = *m_Storage;
    int64_t size = st.Size();
    uint8_t header[HeaderSize];
    if (size < HeaderSize)
        Fail("Bad file format");
    st.Read(0, header, HeaderSize);
    if (std::memcmp(header, Signature, sizeof Signature) != 0 || header[HdrVersion] != FormatVersion)
        Fail("Bad file format");
    int32_t count = GetI32(header + HdrFieldCount);
    if (count == 0)
        Fail("No fields defined");
    int32_t live = GetI32(header + HdrLive);
    int32_t deleted = GetI32(header + HdrDeleted);
    int32_t recordSize = GetI32(header + HdrRecordSize);
    int32_t autoInc = GetI32(header + HdrAutoInc);
    int32_t first = GetI32(header + HdrFirstRecord);
    if (count < 0 || count > MaxRecordSize || first != HeaderSize + DescriptorSize * count || first > size)
        Fail("Bad file format");

    std::vector<uint8_t> descriptors(static_cast<size_t>(DescriptorSize) * static_cast<size_t>(count));
    st.Read(HeaderSize, descriptors.data(), descriptors.size());
    std::vector<TQsFieldDef> defs;
    std::vector<int32_t> offsets;
    int autoIncField = -1;
    int64_t offset = 1;
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* p = descriptors.data() + static_cast<size_t>(DescriptorSize) * static_cast<size_t>(i);
        auto* name = reinterpret_cast<const char*>(p);
        auto type = static_cast<TQsFieldType>(p[DscType]);
        int32_t fieldSize = GetI32(p + DscSize);
        if (SlotSizeFor(type, 0) == 0)
            Fail("Unsupported field type");
        int32_t slot = SlotSizeFor(type, fieldSize);
        if (slot == 0 || slot != GetI32(p + DscSlotSize) || (!IsTextType(type) && fieldSize != 0))
            Fail("Bad file format");
        if (type == TQsFieldType::ftAutoInc) {
            if (autoIncField >= 0)
                Fail("Only one Autoinc field is supported");
            autoIncField = i;
        }
        defs.push_back({Cp1250ToUtf8(std::string_view(name, strnlen(name, MaxFieldNameLength))), type, fieldSize,
                        p[DscRequired] != 0});
        offsets.push_back(static_cast<int32_t>(offset));
        offset += slot;
    }
    if (offset != recordSize || recordSize > MaxRecordSize || live < 0 || deleted < 0 || autoInc < 0 ||
        static_cast<int64_t>(live) + deleted > (size - first) / recordSize)
        Fail("Bad file format");

    m_FieldDefs = std::move(defs);
    m_SlotOffsets = std::move(offsets);
    m_AutoIncField = autoIncField;
    m_RecordSize = recordSize;
    m_FirstRecordOffset = first;
    m_LiveCount = m_WrittenLive = live;
    m_DeletedCount = m_WrittenDeleted = deleted;
    m_AutoIncValue = autoInc;
    m_Buffer.assign(static_cast<size_t>(recordSize), 0);
    m_Scan.assign(static_cast<size_t>(recordSize), 0);
    m_Cursor = -1;
}

void TQsStreamDataSet::WriteHeader(int32_t live, int32_t deleted, int32_t autoInc) {
    uint8_t header[HeaderSize] = {};
    PutHeader(header, FieldCount(), m_RecordSize, m_FirstRecordOffset, live, deleted, autoInc);
    m_Storage->Write(0, header, HeaderSize);
    m_WrittenLive = live;
    m_WrittenDeleted = deleted;
}

// ---------------------------------------------------------------------------------------------------
// Reading records

int64_t TQsStreamDataSet::RecordOffset(int32_t record) const {
    return m_FirstRecordOffset + static_cast<int64_t>(record) * m_RecordSize;
}

void TQsStreamDataSet::ReadRecordInto(int32_t record, std::vector<uint8_t>& buffer) const {
    buffer.resize(static_cast<size_t>(m_RecordSize));
    m_Storage->Read(RecordOffset(record), buffer.data(), buffer.size());
}

bool TQsStreamDataSet::LoadVisible(int32_t record) {
    ReadRecordInto(record, m_Scan);
    if (m_Scan[0] != 0)
        return false;
    if (m_Filtered && m_OnFilterRecord) {
        TFlagGuard scanning(m_Scanning);
        return m_OnFilterRecord(*this);
    }
    return true;
}

// The first visible record from `from` on in the direction of step, now in m_Buffer; -1 when none.
int32_t TQsStreamDataSet::FindVisible(int32_t from, int step) {
    int32_t stored = StoredCount();
    for (int32_t i = from; i >= 0 && i < stored; i += step) {
        if (LoadVisible(i)) {
            std::swap(m_Scan, m_Buffer);
            return i;
        }
    }
    return -1;
}

void TQsStreamDataSet::MoveTo(int32_t record, bool bof, bool eof, bool notify) {
    bool moved = record != m_Cursor || m_HasRecord != (record >= 0);
    m_Cursor = record;
    m_HasRecord = record >= 0;
    m_Bof = bof;
    m_Eof = eof;
    if (moved && notify)
        Notify(TQsChange::Scrolled, m_Cursor);
}

// The record itself when visible, else the following visible one, else the previous one.
void TQsStreamDataSet::SettleAt(int32_t record, bool notify) {
    if (int32_t r = FindVisible(record, 1); r >= 0)
        MoveTo(r, false, false, notify);
    else if (r = FindVisible(record - 1, -1); r >= 0)
        MoveTo(r, false, true, notify);
    else
        MoveTo(-1, true, true, notify);
}

// Back to the stored form of the current record after an append or edit was dropped.
void TQsStreamDataSet::LoadCurrent() {
    m_HasRecord = false;
    if (m_Cursor >= 0 && m_Cursor < StoredCount()) {
        ReadRecordInto(m_Cursor, m_Buffer);
        m_HasRecord = m_Buffer[0] == 0;
    }
}

bool TQsStreamDataSet::HasCurrent() const {
    return Active() && (m_Scanning || m_HasRecord || m_State == TState::Insert || m_State == TState::Edit);
}

const uint8_t* TQsStreamDataSet::FieldSlot(int field) const {
    if (!HasCurrent())
        return nullptr;
    const std::vector<uint8_t>& rec = m_Scanning ? m_Scan : m_Buffer;
    return rec.data() + m_SlotOffsets.at(static_cast<size_t>(field));
}

uint8_t* TQsStreamDataSet::EditSlot(int field) {
    CheckEditing();
    return m_Buffer.data() + m_SlotOffsets.at(static_cast<size_t>(field));
}

void TQsStreamDataSet::FieldSet(int /*field*/) {
    m_Modified = true;
    Notify(TQsChange::FieldChanged, m_Cursor);
}

// ---------------------------------------------------------------------------------------------------
// Changes

void TQsStreamDataSet::CheckBrowseMode() {
    CheckActive();
    if (m_State == TState::Edit || m_State == TState::Insert) {
        if (m_Modified)
            Post();
        else
            Cancel();
    }
}

void TQsStreamDataSet::Empty() {
    CheckActive();
    CheckWritable();
    if (m_State != TState::Browse) {
        m_State = TState::Browse;
        m_Modified = false;
    }
    WriteHeader(0, 0, 0);
    m_LiveCount = m_DeletedCount = m_AutoIncValue = 0;
    m_Cursor = -1;
    m_HasRecord = false;
    m_Bof = m_Eof = true;
    m_Storage->Truncate(m_FirstRecordOffset);
    m_Storage->Flush();
    Notify(TQsChange::DataSetChanged, m_Cursor);
}

void TQsStreamDataSet::Append() {
    CheckActive();
    CheckWritable();
    CheckBrowseMode();
    std::fill(m_Buffer.begin(), m_Buffer.end(), uint8_t{0});
    m_HasRecord = false;
    m_Modified = false;
    m_State = TState::Insert;
    Notify(TQsChange::StateChanged, m_Cursor);
}

void TQsStreamDataSet::Edit() {
    CheckActive();
    CheckWritable();
    if (m_State == TState::Edit || m_State == TState::Insert)
        return;
    if (m_Cursor < 0 || m_Cursor >= StoredCount())
        Fail("Invalid record");
    ReadRecordInto(m_Cursor, m_Buffer);
    if (m_Buffer[0] != 0) {
        LoadCurrent();
        Fail("Invalid record");
    }
    m_HasRecord = true;
    m_Modified = false;
    m_State = TState::Edit;
    Notify(TQsChange::StateChanged, m_Cursor);
}

void TQsStreamDataSet::Post() {
    CheckEditing();
    for (int i = 0; i < FieldCount(); ++i) {
        const TQsFieldDef& d = m_FieldDefs[static_cast<size_t>(i)];
        if (d.Required && d.DataType != TQsFieldType::ftAutoInc &&
            m_Buffer[static_cast<size_t>(m_SlotOffsets[static_cast<size_t>(i)])] == 0)
            Fail(FormatText("Field '%s' must have a value", d.Name));
    }
    if (m_State == TState::Edit) {
        m_Buffer[0] = 0;
        m_Storage->Write(RecordOffset(m_Cursor), m_Buffer.data(), m_Buffer.size());
        m_State = TState::Browse;
        m_Modified = false;
        m_HasRecord = true;
        Notify(TQsChange::RecordChanged, m_Cursor);
        return;
    }
    // The record and the counts go to the storage first; the table's own state follows only when both
    // were written, so a failed write leaves the table as it was.
    std::vector<uint8_t> record = m_Buffer;
    record[0] = 0;
    int32_t autoInc = m_AutoIncValue;
    if (m_AutoIncField >= 0) {
        ++autoInc;
        uint8_t* slot = record.data() + m_SlotOffsets[static_cast<size_t>(m_AutoIncField)];
        slot[0] = 1;
        PutI32(slot + 1, autoInc);
    }
    int32_t index = StoredCount();
    m_Storage->Write(RecordOffset(index), record.data(), record.size());
    WriteHeader(m_LiveCount + 1, m_DeletedCount, autoInc);
    ++m_LiveCount;
    m_AutoIncValue = autoInc;
    m_Buffer = std::move(record);
    m_State = TState::Browse;
    m_Modified = false;
    m_Cursor = index;
    m_HasRecord = true;
    m_Bof = m_Eof = false;
    Notify(TQsChange::RecordAppended, index);
}

void TQsStreamDataSet::Cancel() {
    CheckActive();
    if (m_State != TState::Edit && m_State != TState::Insert)
        return;
    m_State = TState::Browse;
    m_Modified = false;
    LoadCurrent();
    Notify(TQsChange::StateChanged, m_Cursor);
}

void TQsStreamDataSet::Delete() {
    CheckActive();
    CheckWritable();
    if (m_State == TState::Insert) {
        Cancel();
        return;
    }
    if (m_State == TState::Edit) {
        m_State = TState::Browse;
        m_Modified = false;
        LoadCurrent();
    }
    if (m_Cursor < 0 || m_Cursor >= StoredCount() || !m_HasRecord)
        Fail("Invalid record");
    int32_t record = m_Cursor;
    const uint8_t deleted = 1, live = 0;
    m_Storage->Write(RecordOffset(record), &deleted, 1);
    try {
        WriteHeader(m_LiveCount - 1, m_DeletedCount + 1, m_AutoIncValue);
    } catch (...) {
        try {
            m_Storage->Write(RecordOffset(record), &live, 1);
        } catch (...) {
            // The first failure is the one to report.
        }
        throw;
    }
    --m_LiveCount;
    ++m_DeletedCount;
    SettleAt(record, false);
    Notify(TQsChange::RecordDeleted, record);
}

// ---------------------------------------------------------------------------------------------------
// Movement

void TQsStreamDataSet::First() {
    CheckBrowseMode();
    int32_t r = FindVisible(0, 1);
    MoveTo(r, true, r < 0);
}

void TQsStreamDataSet::Next() {
    CheckBrowseMode();
    if (m_Eof)
        return;
    if (int32_t r = FindVisible(m_Cursor + 1, 1); r >= 0)
        MoveTo(r, false, false);
    else
        m_Eof = true;
}

void TQsStreamDataSet::Prior() {
    CheckBrowseMode();
    if (m_Bof)
        return;
    if (int32_t r = m_Cursor > 0 ? FindVisible(m_Cursor - 1, -1) : -1; r >= 0)
        MoveTo(r, false, false);
    else
        m_Bof = true;
}

void TQsStreamDataSet::Last() {
    CheckBrowseMode();
    int32_t r = FindVisible(StoredCount() - 1, -1);
    MoveTo(r, r < 0, true);
}

bool TQsStreamDataSet::IsEmpty() const {
    if (!Active())
        return true;
    switch (m_State) {
    case TState::Edit:
        return false;
    case TState::Insert:
        return m_LiveCount == 0;
    default:
        return !m_HasRecord;
    }
}

int32_t TQsStreamDataSet::RecNo() const {
    if (!Active())
        return 0;
    return m_Cursor < 0 ? 1 : m_Cursor + 1;
}

void TQsStreamDataSet::SetRecNo(int32_t value) {
    CheckActive();
    if (value < 1 || value > StoredCount())
        return;
    CheckBrowseMode();
    SettleAt(value - 1);
}

TQsStreamDataSet::TBookmark TQsStreamDataSet::GetBookmark() const {
    if (!Active() || !(m_HasRecord || m_State == TState::Edit))
        return -1;
    return m_Cursor;
}

bool TQsStreamDataSet::BookmarkValid(TBookmark bookmark) const {
    return Active() && !IsDeletedAt(bookmark);
}

void TQsStreamDataSet::GotoBookmark(TBookmark bookmark) {
    CheckActive();
    if (bookmark < 0 || bookmark >= StoredCount())
        Fail("Invalid bookmark");
    CheckBrowseMode();
    ReadRecordInto(bookmark, m_Scan);
    if (m_Scan[0] != 0)
        Fail("Invalid bookmark");
    std::swap(m_Scan, m_Buffer);
    MoveTo(bookmark, false, false);
}

// ---------------------------------------------------------------------------------------------------
// Fields and views

int TQsStreamDataSet::FieldIndex(std::string_view name) const {
    for (size_t i = 0; i < m_FieldDefs.size(); ++i)
        if (SameName(m_FieldDefs[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

TQsField TQsStreamDataSet::FieldByName(std::string_view name) {
    int index = FieldIndex(name);
    if (index < 0)
        Fail(FormatText("Field '%s' not found", name));
    return TQsField(this, index);
}

std::optional<TQsField> TQsStreamDataSet::FindField(std::string_view name) {
    int index = FieldIndex(name);
    if (index < 0)
        return std::nullopt;
    return TQsField(this, index);
}

TQsField TQsStreamDataSet::Fields(int index) {
    if (index < 0 || index >= FieldCount())
        Fail(FormatText("Field index %d out of range", index));
    return TQsField(this, index);
}

std::vector<int32_t> TQsStreamDataSet::LiveRecords() const {
    std::vector<int32_t> out;
    if (!Active())
        return out;
    out.reserve(static_cast<size_t>(m_LiveCount));
    for (int32_t i = 0, stored = StoredCount(); i < stored; ++i) {
        uint8_t mark = 1;
        m_Storage->Read(RecordOffset(i), &mark, 1);
        if (mark == 0)
            out.push_back(i);
    }
    return out;
}

bool TQsStreamDataSet::IsDeletedAt(int32_t record) const {
    if (!Active() || record < 0 || record >= StoredCount())
        return true;
    uint8_t mark = 1;
    m_Storage->Read(RecordOffset(record), &mark, 1);
    return mark != 0;
}

std::string TQsStreamDataSet::TextAt(int32_t record, int field) const {
    CheckActive();
    if (record < 0 || record >= StoredCount())
        Fail("Invalid record");
    if (field < 0 || field >= FieldCount())
        Fail(FormatText("Field index %d out of range", field));
    std::vector<uint8_t> buffer;
    ReadRecordInto(record, buffer);
    return SlotText(m_FieldDefs[static_cast<size_t>(field)], buffer.data() + m_SlotOffsets[static_cast<size_t>(field)]);
}

std::vector<uint8_t> TQsStreamDataSet::StreamBytes() const {
    if (!m_Storage || !m_Storage->Bytes())
        return {};
    return *m_Storage->Bytes();
}

int TQsStreamDataSet::AddListener(TListener listener) {
    m_Listeners.push_back({m_NextListenerId, std::move(listener)});
    return m_NextListenerId++;
}

void TQsStreamDataSet::RemoveListener(int id) {
    std::erase_if(m_Listeners, [id](const TListenerEntry& e) { return e.Id == id; });
}

void TQsStreamDataSet::EnableControls() {
    if (m_DisableCount == 0 || --m_DisableCount > 0)
        return;
    unsigned pending = std::exchange(m_Pending, 0u);
    if (pending & PendingData) {
        Notify(TQsChange::DataSetChanged, m_Cursor);
        return;
    }
    if (pending & PendingState)
        Notify(TQsChange::StateChanged, m_Cursor);
    if (pending & PendingScroll)
        Notify(TQsChange::Scrolled, m_Cursor);
}

void TQsStreamDataSet::Notify(TQsChange change, int32_t record) {
    if (m_DisableCount > 0) {
        m_Pending |= change == TQsChange::Scrolled       ? PendingScroll
                     : change == TQsChange::StateChanged ? PendingState
                                                         : PendingData;
        return;
    }
    if (m_Listeners.empty())
        return;
    // A listener may add or remove listeners while it is told.
    std::vector<TListenerEntry> listeners = m_Listeners;
    TQsNotification n{change, record};
    for (const TListenerEntry& e : listeners)
        e.Callback(n);
}

} // namespace ndlemo
