#pragma once

#include "support/ui/TDaxControl.h"
#include "support/ui/TDaxFieldLink.h"

#include <QCheckBox>

namespace ndlemo {

// The data-bound check box: shows a boolean field of a table's current record and writes the user's
// click back at once. Never reported by the required check.
class TDaxDBCheckBox : public QCheckBox, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxDBCheckBox(QWidget* parent = nullptr);
    TDaxDBCheckBox(const QString& objectName, const QString& caption, QWidget* parent);

    void SetDataField(TQsStreamDataSet* table, std::string fieldName) { m_Link.Bind(table, std::move(fieldName)); }
    [[nodiscard]] const TDaxFieldLink& Link() const { return m_Link; }

    [[nodiscard]] bool IsEmptyForRequired() const override { return false; }

private:
    void Refresh();

    TDaxFieldLink m_Link;
};

} // namespace ndlemo
