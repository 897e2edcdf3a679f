#pragma once

#include "support/ui/TDaxControl.h"
#include "support/ui/TDaxFieldLink.h"

#include <QLineEdit>

namespace ndlemo {

// The data-bound edit: shows a text field of a table's current record and writes the user's text back on
// leaving the field (or on Enter). Required means its trimmed text must not be empty.
class TDaxDBEdit : public QLineEdit, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxDBEdit(QWidget* parent = nullptr);
    TDaxDBEdit(const QString& objectName, QWidget* parent);

    void SetDataField(TQsStreamDataSet* table, std::string fieldName) { m_Link.Bind(table, std::move(fieldName)); }
    [[nodiscard]] const TDaxFieldLink& Link() const { return m_Link; }

    [[nodiscard]] bool IsEmptyForRequired() const override;

private:
    void Refresh();
    void StoreIfModified();

    TDaxFieldLink m_Link;
};

} // namespace ndlemo
