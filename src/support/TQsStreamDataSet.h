#pragma once

#include "support/TDate.h"
#include "support/TDateTime.h"
#include "support/TQsField.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// What an attached view (grid model, report) is told. Record is the physical index concerned, -1 if none.
enum class TQsChange {
    ActiveChanged,  // opened or closed
    DataSetChanged, // anything may have changed (Empty, or changes while notifications were suspended)
    RecordAppended, // a new record was posted at Record and is now current
    RecordChanged,  // the edited record Record was posted
    RecordDeleted,  // Record was deleted; the cursor is already on its successor
    FieldChanged,   // a field of the record being appended or edited was set
    StateChanged,   // browse / edit / insert changed without a post
    Scrolled,       // the cursor moved to Record
};

struct TQsNotification {
    TQsChange Change;
    int32_t Record;
};

// A table of typed fixed-size records in one growable byte stream (or in a file with the same layout).
// Records are never moved: appends go to the end and a delete only marks the record, so a bookmark (the
// physical index of a record) stays valid until the table is emptied or closed.
//
// Stream layout: a 46-byte header, one 48-byte descriptor per field, then the records; every record
// starts with its deleted mark and holds one slot (presence byte + value) per field.
class TQsStreamDataSet {
public:
    enum class TState { Inactive, Browse, Edit, Insert };
    using TBookmark = int32_t;
    using TListener = std::function<void(const TQsNotification&)>;
    using TFilter = std::function<bool(TQsStreamDataSet&)>;

    static constexpr int32_t HeaderSize = 46;
    static constexpr int32_t DescriptorSize = 48;
    static constexpr int32_t MaxFieldNameLength = 33;
    static constexpr int32_t MaxRecordSize = 32767;
    static constexpr size_t InitialCapacity = 16384;

    TQsStreamDataSet();
    explicit TQsStreamDataSet(std::string name);
    ~TQsStreamDataSet();
    TQsStreamDataSet(const TQsStreamDataSet&) = delete;
    TQsStreamDataSet& operator=(const TQsStreamDataSet&) = delete;

    // Component name, e.g. "qssPRS"; only for identification (reports, messages of the caller).
    std::string Name;

    // Definitions and settings; they can be changed only while the table is closed. Opening replaces the
    // definitions by those read from the storage (the same ones for an in-memory table).
    void AddFieldDef(std::string name, TQsFieldType type, int32_t size = 0, bool required = false);
    void SetFieldDefs(std::vector<TQsFieldDef> defs);
    void ClearFieldDefs();
    [[nodiscard]] const std::vector<TQsFieldDef>& FieldDefs() const { return m_FieldDefs; }

    [[nodiscard]] bool InMemTable() const { return m_InMemTable; }
    void SetInMemTable(bool value);
    [[nodiscard]] const std::string& TableName() const { return m_TableName; }
    void SetTableName(std::string value);
    [[nodiscard]] bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool value);

    // With Filtered set, OnFilterRecord decides which live records the cursor visits; while it runs, the
    // fields read the candidate record. Changing either while open moves to the first visible record.
    [[nodiscard]] bool Filtered() const { return m_Filtered; }
    void SetFiltered(bool value);
    void SetOnFilterRecord(TFilter filter);

    // File tables only: writes a new file TableName with the header and descriptors of FieldDefs and no
    // records, replacing an existing file. An in-memory table is created by Open.
    void CreateTable();

    // Open: an in-memory table starts empty; a file table reads TableName (read-only when ReadOnly). The
    // cursor is then on the first live record, if any. Close drops a pending append or edit.
    [[nodiscard]] bool Active() const { return m_State != TState::Inactive; }
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    [[nodiscard]] TState State() const { return m_State; }

    // Drops a pending append or edit and removes every record; the autoincrement counter restarts.
    void Empty();

    // A new record with all fields null; Post puts it at the end (Insert does the same).
    void Append();
    void Insert() { Append(); }
    void Edit();
    void Post();
    void Cancel();
    // Marks the current record deleted; the cursor goes to the following live record, else the previous.
    void Delete();

    // Movement over the visible records in physical order. A pending append or edit is posted first when
    // a field was set, else dropped.
    void First();
    void Next();
    void Prior();
    void Last();
    [[nodiscard]] bool Bof() const { return m_Bof; }
    [[nodiscard]] bool Eof() const { return m_Eof; }
    [[nodiscard]] bool IsEmpty() const;

    // Live records, filter or not.
    [[nodiscard]] int32_t RecordCount() const { return m_LiveCount; }
    // Live and deleted records in the storage.
    [[nodiscard]] int32_t StoredCount() const { return m_LiveCount + m_DeletedCount; }
    // Physical index of the current record plus 1, deleted records before it included; 1 before the first.
    [[nodiscard]] int32_t RecNo() const;
    // Goes to physical index value - 1 when it names a stored record (to the next live record if that one
    // is deleted); does nothing for other values.
    void SetRecNo(int32_t value);

    // -1 when there is no current record.
    [[nodiscard]] TBookmark GetBookmark() const;
    [[nodiscard]] bool BookmarkValid(TBookmark bookmark) const;
    // Raises "Invalid bookmark" outside the stored records and for a deleted record.
    void GotoBookmark(TBookmark bookmark);

    [[nodiscard]] int FieldCount() const { return static_cast<int>(m_FieldDefs.size()); }
    [[nodiscard]] int FieldIndex(std::string_view name) const; // -1 when missing; letters compared caselessly
    [[nodiscard]] TQsField FieldByName(std::string_view name); // raises "Field 'x' not found"
    [[nodiscard]] std::optional<TQsField> FindField(std::string_view name);
    [[nodiscard]] TQsField Fields(int index);

    // Reading any stored record without moving the cursor (for views that show many rows at once).
    [[nodiscard]] std::vector<int32_t> LiveRecords() const;
    [[nodiscard]] bool IsDeletedAt(int32_t record) const;
    [[nodiscard]] std::string TextAt(int32_t record, int field) const;

    // Notification of the attached views. DisableControls nests; the last EnableControls tells the views
    // once about what happened meanwhile.
    int AddListener(TListener listener);
    void RemoveListener(int id);
    void DisableControls() { ++m_DisableCount; }
    void EnableControls();
    [[nodiscard]] bool ControlsDisabled() const { return m_DisableCount > 0; }

    // Storage facts, mainly for tests and diagnostics.
    [[nodiscard]] int32_t RecordSize() const { return m_RecordSize; }
    [[nodiscard]] int32_t FirstRecordOffset() const { return m_FirstRecordOffset; }
    [[nodiscard]] int32_t SlotOffset(int field) const { return m_SlotOffsets.at(static_cast<size_t>(field)); }
    [[nodiscard]] int32_t LastAutoInc() const { return m_AutoIncValue; }
    // The whole stream of an in-memory table (empty when closed or file-based).
    [[nodiscard]] std::vector<uint8_t> StreamBytes() const;

    // Slot size in bytes of a field of that type and size; 0 for a type that cannot be stored.
    [[nodiscard]] static int32_t SlotSizeFor(TQsFieldType type, int32_t size);

private:
    friend class TQsField;
    class TStorage;
    class TMemoryStorage;
    class TFileStorage;

    void CheckInactive() const;
    void CheckActive() const;
    void CheckWritable() const;
    void CheckEditing() const;
    void CheckBrowseMode();
    void ValidateDefs(const std::vector<TQsFieldDef>& defs) const;
    [[nodiscard]] std::vector<uint8_t> BuildTableImage() const;
    void ReadStructure();
    void ReleaseStorage();
    void WriteHeader(int32_t live, int32_t deleted, int32_t autoInc);

    [[nodiscard]] int64_t RecordOffset(int32_t record) const;
    void ReadRecordInto(int32_t record, std::vector<uint8_t>& buffer) const;
    // Reads a stored record into the buffer; false for a deleted or filtered-out one.
    bool LoadVisible(int32_t record);
    [[nodiscard]] int32_t FindVisible(int32_t from, int step);
    void SettleAt(int32_t record, bool notify = true);
    void LoadCurrent();
    // record -1: no current record.
    void MoveTo(int32_t record, bool bof, bool eof, bool notify = true);

    [[nodiscard]] const uint8_t* FieldSlot(int field) const;
    uint8_t* EditSlot(int field);
    void FieldSet(int field);
    [[nodiscard]] bool HasCurrent() const;

    void Notify(TQsChange change, int32_t record);

    std::vector<TQsFieldDef> m_FieldDefs;
    bool m_InMemTable = true;
    bool m_ReadOnly = false;
    bool m_Filtered = false;
    std::string m_TableName;
    TFilter m_OnFilterRecord;

    std::unique_ptr<TStorage> m_Storage;
    TState m_State = TState::Inactive;
    int32_t m_RecordSize = 0;
    int32_t m_FirstRecordOffset = 0;
    std::vector<int32_t> m_SlotOffsets;
    int m_AutoIncField = -1;
    int32_t m_LiveCount = 0;
    int32_t m_DeletedCount = 0;
    int32_t m_AutoIncValue = 0;
    int32_t m_WrittenLive = 0;
    int32_t m_WrittenDeleted = 0;

    int32_t m_Cursor = -1;
    bool m_Bof = true;
    bool m_Eof = true;
    bool m_HasRecord = false; // the buffer holds a live record (or the record being appended / edited)
    bool m_Modified = false;
    std::vector<uint8_t> m_Buffer;
    std::vector<uint8_t> m_Scan; // candidate record while looking for the next visible one
    bool m_Scanning = false;     // the filter runs: fields read m_Scan

    struct TListenerEntry {
        int Id;
        TListener Callback;
    };
    std::vector<TListenerEntry> m_Listeners;
    int m_NextListenerId = 1;
    int m_DisableCount = 0;
    unsigned m_Pending = 0;
};

} // namespace ndlemo
