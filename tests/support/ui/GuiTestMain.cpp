// The one entry point of the widget tests: a QApplication for all of them, then GoogleTest.
#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace {
QtMessageHandler g_DefaultHandler = nullptr;

// The offscreen platform reports what it cannot do on every shown window; that says nothing about a test.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    if (g_DefaultHandler)
        g_DefaultHandler(type, context, message);
}
} // namespace

int main(int argc, char** argv) {
    g_DefaultHandler = qInstallMessageHandler(FilterMessages);
    // Test discovery runs the program without the test environment; widgets need no display anyway.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
