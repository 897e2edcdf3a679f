#include "support/ui/TDaxDBEdit.h"

#include "support/TMessageBoxes.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <exception>

namespace ndlemo {

TDaxDBEdit::TDaxDBEdit(QWidget* parent) : QLineEdit(parent), m_Link([this] { Refresh(); }) {
    connect(this, &QLineEdit::editingFinished, this, &TDaxDBEdit::StoreIfModified);
}

TDaxDBEdit::TDaxDBEdit(const QString& objectName, QWidget* parent) : TDaxDBEdit(parent) {
    setObjectName(objectName);
}

bool TDaxDBEdit::IsEmptyForRequired() const {
    return TrimWhitespace(text().toStdString()).empty();
}

void TDaxDBEdit::Refresh() {
    setText(QString::fromStdString(m_Link.ReadText()));
    setModified(false);
}

void TDaxDBEdit::StoreIfModified() {
    if (!isModified() || !m_Link.CanWrite())
        return;
    try {
        m_Link.WriteText(text().toStdString());
        setModified(false);
    } catch (const std::exception& e) {
        ShowErrorMessage(e.what());
    }
}

} // namespace ndlemo
