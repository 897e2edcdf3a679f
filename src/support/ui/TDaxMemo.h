#pragma once

#include "support/ui/TDaxControl.h"

#include <QPlainTextEdit>
#include <string>

namespace ndlemo {

// The validated memo: a multi-line edit with a display name and a required flag. Blank-only text counts as
// empty for the required check.
class TDaxMemo : public QPlainTextEdit, public TDaxControl {
    Q_OBJECT
public:
    explicit TDaxMemo(QWidget* parent = nullptr);
    TDaxMemo(const QString& objectName, QWidget* parent);

    [[nodiscard]] std::string Text() const { return toPlainText().toStdString(); }
    void SetText(const std::string& value) { setPlainText(QString::fromStdString(value)); }

    [[nodiscard]] bool IsEmptyForRequired() const override;
};

} // namespace ndlemo
