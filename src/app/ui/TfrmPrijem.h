#pragma once

#include "app/TActionRules.h"
#include "app/TStartupUi.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace ndlemo {

class TfrmToolConsole;

class TPrijemController;

// The main window: toolbars, the two work tabs, the status bar and the action list. Every action runs
// through the controller's error handler, so no exception reaches Qt's event loop.
class TfrmPrijem : public QMainWindow, public TStartupUi {
    Q_OBJECT
public:
    explicit TfrmPrijem(TPrijemController& controller, QWidget* parent = nullptr);

    [[nodiscard]] QAction* Action(TActionId id) const { return m_Actions.at(id); }
    // Handlers of actions that later parts of the program provide.
    void SetHandler(TActionId id, std::function<void()> handler);
    // The idle-time evaluation: enabling of every action and the texts of the send buttons.
    void UpdateActions();
    void SetStatusPanel(int index, const QString& text);
    [[nodiscard]] QTabWidget* PageControl() const { return m_PageControl; }
    [[nodiscard]] QWidget* InvoiceTab() const { return m_TabFak; }
    [[nodiscard]] QWidget* ReportsTab() const { return m_TabLZ; }

    // The start-up's requests to the window.
    void SetCaption(const std::string& caption) override;
    void SetStatusPanel(int index, const std::string& text) override;
    TLoginResult RunLogin() override;
    void ShowRequestList(TRequestList& requests) override;
    void SetFieldStates() override;
    void ActivateInvoiceTab() override;
    void ResetInvoiceTab() override;
    void ResetReportsTab() override;

    // The login dialog; tests replace it.
    std::function<TLoginResult()> Login;

    // Where the tables of the two tabs report whether they are open and empty.
    std::function<void(TActionContext&)> FillTableState;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void ConnectSettingsDialogs();
    QToolButton* AddButton(QToolBar* bar, const char* name, TActionId id);
    QWidget* CreateInvoiceTab();
    QWidget* CreateReportsTab();
    void Highlight(int index);

    TPrijemController& m_Controller;
    // Shows a transfer tool while it runs.
    TfrmToolConsole* m_ToolConsole;
    std::map<TActionId, QAction*> m_Actions;
    std::map<TActionId, std::function<void()>> m_Handlers;
    QTabWidget* m_PageControl = nullptr;
    QWidget* m_TabFak = nullptr;
    QWidget* m_TabLZ = nullptr;
    QToolButton* m_SendButton = nullptr;
    QToolButton* m_SendButtonLZ = nullptr;
    QLabel* m_Panels[4] = {};
    int m_LastTab = 0;
};

} // namespace ndlemo
