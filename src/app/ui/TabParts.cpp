#include "app/ui/TabParts.h"

#include "support/ui/DialogParts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QToolBar>

#include <string>
#include <string_view>

namespace ndlemo {

QLabel* NewFieldLabel(QWidget* control, const char* caption) {
    const std::string component = control->objectName().toStdString();
    std::string_view name = component;
    while (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.remove_prefix(1);
    const std::string labelName = "lbl" + std::string(name);
    return NewBuddyLabel(labelName.c_str(), caption, control, control->parentWidget());
}

void SetWidthForChars(QWidget* control, int chars) {
    const QFontMetrics metrics(control->font());
    control->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * (chars + 1) + 12);
}

QToolBar* NewTabToolBar(const char* name, const char* accessibleName, QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setWindowTitle(QString::fromUtf8(accessibleName));
    bar->setAccessibleName(QString::fromUtf8(accessibleName));
    bar->setMovable(false);
    return bar;
}

} // namespace ndlemo
