#include "app/ui/TNdLemoApplication.h"

#include <stdexcept>

namespace ndlemo {

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
