#pragma once

#include <functional>
#include <string>

namespace ndlemo {

class TQsStreamDataSet;

// Binds a data-bound control to one field of an in-memory table: the control shows the field of the
// current record (refreshed whenever the table tells its views of a change) and writes what the user
// entered back into that record. The table must outlive the binding (or be unbound first).
class TDaxFieldLink {
public:
    using TRefresh = std::function<void()>;

    explicit TDaxFieldLink(TRefresh refresh);
    ~TDaxFieldLink();
    TDaxFieldLink(const TDaxFieldLink&) = delete;
    TDaxFieldLink& operator=(const TDaxFieldLink&) = delete;

    // A null table unbinds the control.
    void Bind(TQsStreamDataSet* table, std::string fieldName);
    [[nodiscard]] TQsStreamDataSet* Table() const { return m_Table; }
    [[nodiscard]] const std::string& FieldName() const { return m_FieldName; }
    // There is a record whose field can be shown.
    [[nodiscard]] bool HasField() const;
    // Whether a user change can be written (bound, a record, the table not read-only).
    [[nodiscard]] bool CanWrite() const;

    [[nodiscard]] std::string ReadText() const;
    [[nodiscard]] bool ReadBoolean() const;
    // Writes into the current record: one being appended or edited stays pending, otherwise the record is
    // edited and posted at once.
    void WriteText(const std::string& value);
    void WriteBoolean(bool value);

private:
    void Unbind();
    template <typename F> void Write(F&& setter);

    TRefresh m_Refresh;
    TQsStreamDataSet* m_Table = nullptr;
    std::string m_FieldName;
    int m_ListenerId = 0;
    bool m_Writing = false;
};

} // namespace ndlemo
