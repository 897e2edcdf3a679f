#pragma once

#include "support/ui/TDaxControl.h"
#include "support/ui/TDaxFieldLink.h"

#include <QComboBox>

namespace ndlemo {

// The data-bound combo box: shows a text field of a table's current record (selecting the item that reads
// so) and writes the user's choice back at once. Required means its trimmed text must not be empty.
class TDaxDBComboBox : public QComboBox, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxDBComboBox(QWidget* parent = nullptr);
    TDaxDBComboBox(const QString& objectName, QWidget* parent);

    void SetDataField(TQsStreamDataSet* table, std::string fieldName) { m_Link.Bind(table, std::move(fieldName)); }
    [[nodiscard]] const TDaxFieldLink& Link() const { return m_Link; }

    [[nodiscard]] bool IsEmptyForRequired() const override;

private:
    void Refresh();

    TDaxFieldLink m_Link;
    bool m_Refreshing = false;
};

} // namespace ndlemo
