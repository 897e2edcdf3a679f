#pragma once

#include "transfer/TConsoleText.h"
#include "transfer/TToolConsole.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ndlemo {

// The console the window shows while a transfer tool runs: the tool's name, its output as it comes (a progress meter
// redraws its line) and "Ukončit nástroj", which ends a tool that hangs. Meanwhile the application keeps painting
// and running its timers, but every user input outside this console is dropped (not deferred): no field check,
// message box or action can start in the middle of a send. Closed when the tool ends.
class TfrmToolConsole : public QDialog, public TToolConsole {
    Q_OBJECT
public:
    explicit TfrmToolConsole(QWidget* parent = nullptr);
    ~TfrmToolConsole() override;

    void Open(std::string_view toolName) override;
    void Output(platform::TProcessStream stream, std::string_view bytes) override;
    bool StopRequested() override;
    void Close() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    [[nodiscard]] bool BelongsToConsole(const QObject* object) const;
    void ShowChanges();

    QLabel* lblNastroj;
    QPlainTextEdit* memVystup;
    QPushButton* bbtnUkoncit;
    TConsoleText m_Text;
    bool m_Running = false;
    bool m_StopRequested = false;
};

} // namespace ndlemo
