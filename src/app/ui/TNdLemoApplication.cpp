#include "app/ui/TNdLemoApplication.h"

#include <QDirIterator>

#include <stdexcept>

namespace ndlemo {

QIcon ProgramIcon() {
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("ndlemo.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

bool TNdLemoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (ErrorHandler)
            ErrorHandler(e);
    } catch (...) {
        if (ErrorHandler)
            ErrorHandler(std::runtime_error("Neznámá chyba"));
    }
    return false;
}

} // namespace ndlemo
