#include "support/ui/TDaxDBComboBox.h"

#include "support/TMessageBoxes.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <exception>

namespace ndlemo {

TDaxDBComboBox::TDaxDBComboBox(QWidget* parent) : QComboBox(parent), m_Link([this] { Refresh(); }) {
    connect(this, &QComboBox::activated, this, [this](int) {
        if (m_Refreshing || !m_Link.CanWrite())
            return;
        try {
            m_Link.WriteText(currentText().toStdString());
        } catch (const std::exception& e) {
            ShowErrorMessage(e.what());
        }
    });
}

TDaxDBComboBox::TDaxDBComboBox(const QString& objectName, QWidget* parent) : TDaxDBComboBox(parent) {
    setObjectName(objectName);
}

bool TDaxDBComboBox::IsEmptyForRequired() const {
    return TrimWhitespace(currentText().toStdString()).empty();
}

void TDaxDBComboBox::Refresh() {
    m_Refreshing = true;
    const QString text = QString::fromStdString(m_Link.ReadText());
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text, Qt::MatchExactly));
    m_Refreshing = false;
}

} // namespace ndlemo
