#include "support/ui/TDaxDBMemo.h"

#include "support/TMessageBoxes.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <exception>

namespace ndlemo {

TDaxDBMemo::TDaxDBMemo(QWidget* parent) : QPlainTextEdit(parent), m_Link([this] { Refresh(); }) {}

TDaxDBMemo::TDaxDBMemo(const QString& objectName, QWidget* parent) : TDaxDBMemo(parent) {
    setObjectName(objectName);
}

bool TDaxDBMemo::IsEmptyForRequired() const {
    return TrimWhitespace(toPlainText().toStdString()).empty();
}

void TDaxDBMemo::Refresh() {
    setPlainText(QString::fromStdString(m_Link.ReadText()));
    document()->setModified(false);
}

void TDaxDBMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (!document()->isModified() || !m_Link.CanWrite())
        return;
    try {
        m_Link.WriteText(toPlainText().toStdString());
        document()->setModified(false);
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

} // namespace ndlemo
