// The report tests lay out text, which needs Qt's fonts and so one Qt Gui application for the whole run.
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

class TGuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // A runtime folder of the run's own, so Qt neither warns nor creates one under /tmp.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            m_Runtime = QDir::tempPath().toStdString() + "/ndlemo-reports-runtime-XXXXXX";
            if (mkdtemp(m_Runtime.data()))
                qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(m_Runtime));
            else
                m_Runtime.clear();
        }
        static int argc = 1;
        static char name[] = "test_reports";
        static char* argv[] = {name, nullptr};
        m_App = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override {
        m_App.reset();
        if (!m_Runtime.empty())
            QDir(QString::fromStdString(m_Runtime)).removeRecursively();
    }

private:
    std::unique_ptr<QGuiApplication> m_App;
    std::string m_Runtime;
};

[[maybe_unused]] ::testing::Environment* const g_Environment =
    ::testing::AddGlobalTestEnvironment(new TGuiApplicationEnvironment);

} // namespace
