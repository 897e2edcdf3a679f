#include "support/ui/TEntryRefusal.h"

#include <QEvent>
#include <QWidget>

namespace ndlemo {

namespace {
class TPressEater : public QObject {
public:
    explicit TPressEater(QWidget* target) : QObject(target) { target->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease:
            watched->removeEventFilter(this);
            deleteLater();
            return true;
        default:
            return false;
        }
    }
};
} // namespace

void TEntryRefusal::SwallowClick(QWidget* target) {
    if (target)
        new TPressEater(target);
}

} // namespace ndlemo
