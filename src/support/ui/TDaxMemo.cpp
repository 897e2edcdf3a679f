#include "support/ui/TDaxMemo.h"

#include "support/TextRules.h"
#include "support/Utilities.h"

namespace ndlemo {

TDaxMemo::TDaxMemo(QWidget* parent) : QPlainTextEdit(parent) {}

TDaxMemo::TDaxMemo(const QString& objectName, QWidget* parent) : TDaxMemo(parent) {
    setObjectName(objectName);
}

bool TDaxMemo::IsEmptyForRequired() const {
    return TrimWhitespace(toPlainText().toStdString()).empty();
}

} // namespace ndlemo
