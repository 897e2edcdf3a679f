#include "transfer/ui/QtBusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ndlemo {

namespace {
Qt::CursorShape ShapeOf(TCursor cursor) {
    switch (cursor) {
    case TCursor::HourGlass:
        return Qt::WaitCursor;
    case TCursor::SQLWait:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

void BindBusyCursorToQt(TBusyCursor& stack) {
    stack.Bind(
        [] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            if (!cursor)
                return TCursor::Default;
            switch (cursor->shape()) {
            case Qt::WaitCursor:
                return TCursor::HourGlass;
            case Qt::BusyCursor:
                return TCursor::SQLWait;
            default:
                return TCursor::Arrow;
            }
        },
        [](TCursor cursor) {
            if (cursor == TCursor::Default) {
                while (QGuiApplication::overrideCursor())
                    QGuiApplication::restoreOverrideCursor();
            } else if (QGuiApplication::overrideCursor()) {
                QGuiApplication::changeOverrideCursor(QCursor(ShapeOf(cursor)));
            } else {
                QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
            }
        });
}

} // namespace ndlemo
