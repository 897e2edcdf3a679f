#pragma once

#include <QApplication>
#include <QIcon>

#include <exception>
#include <functional>

namespace ndlemo {

// The program's icon in every size built into it; the desktop entry shows the same.
[[nodiscard]] QIcon ProgramIcon();

// The application object; its event dispatch is the last line that keeps exceptions out of Qt's event loop.
class TNdLemoApplication : public QApplication {
public:
    TNdLemoApplication(int& argc, char** argv) : QApplication(argc, argv) { setWindowIcon(ProgramIcon()); }

    // Where escaped errors go (the controller's error handler); without one they are dropped.
    std::function<void(const std::exception&)> ErrorHandler;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ndlemo
