#pragma once

#include "support/ui/TDaxControl.h"
#include "support/ui/TDaxFieldLink.h"

#include <QPlainTextEdit>

namespace ndlemo {

// The data-bound memo: shows a text field of a table's current record and writes the user's text back on
// leaving the memo. Required means its trimmed text must not be empty.
class TDaxDBMemo : public QPlainTextEdit, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxDBMemo(QWidget* parent = nullptr);
    TDaxDBMemo(const QString& objectName, QWidget* parent);

    void SetDataField(TQsStreamDataSet* table, std::string fieldName) { m_Link.Bind(table, std::move(fieldName)); }
    [[nodiscard]] const TDaxFieldLink& Link() const { return m_Link; }

    [[nodiscard]] bool IsEmptyForRequired() const override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Refresh();

    TDaxFieldLink m_Link;
    bool m_Modified = false;
};

} // namespace ndlemo
