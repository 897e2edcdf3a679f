#include "support/ui/TDaxDBCheckBox.h"

#include "support/TMessageBoxes.h"

#include <exception>

namespace ndlemo {

TDaxDBCheckBox::TDaxDBCheckBox(QWidget* parent) : QCheckBox(parent), m_Link([this] { Refresh(); }) {
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        if (!m_Link.CanWrite()) {
            Refresh();
            return;
        }
        try {
            m_Link.WriteBoolean(checked);
        } catch (const std::exception& e) {
            Refresh();
            ShowErrorMessage(e.what());
        }
    });
}

TDaxDBCheckBox::TDaxDBCheckBox(const QString& objectName, const QString& caption, QWidget* parent)
    : TDaxDBCheckBox(parent) {
    setObjectName(objectName);
    setText(caption);
}

void TDaxDBCheckBox::Refresh() {
    setChecked(m_Link.ReadBoolean());
}

} // namespace ndlemo
