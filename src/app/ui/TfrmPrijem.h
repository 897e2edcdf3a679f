#pragma once

#include "app/InvoiceCheckRun.h"
#include "app/TActionRules.h"
#include "app/TPrijemTabs.h"
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

class TfrmDlgUploadLemo;
class TfrmToolConsole;

class TPrijemController;
class TTabSheetFak;
class TTabSheetLZ;
class TdtmPrijem;

// The main window: toolbars, the two work tabs, the status bar and the action list. Every action runs
// through the controller's error handler, so no exception reaches Qt's event loop.
class TfrmPrijem : public QMainWindow, public TStartupUi, public TRunUi {
    Q_OBJECT
public:
    // The data module holds the tables of the two file lists; both must outlive the window.
    TfrmPrijem(TPrijemController& controller, TdtmPrijem& dtm, QWidget* parent = nullptr);

    [[nodiscard]] QAction* Action(TActionId id) const { return m_Actions.at(id); }
    // Handlers of actions that later parts of the program provide.
    void SetHandler(TActionId id, std::function<void()> handler);
    // The idle-time evaluation: enabling of every action and the texts of the send buttons.
    void UpdateActions();
    void SetStatusPanel(int index, const QString& text);
    [[nodiscard]] QTabWidget* PageControl() const { return m_PageControl; }
    [[nodiscard]] TTabSheetFak* InvoiceTab() const { return m_TabFak; }
    [[nodiscard]] TTabSheetLZ* ReportsTab() const { return m_TabLZ; }
    [[nodiscard]] TPrijemTabs& Tabs() { return m_Tabs; }
    // The tables of the run: the file lists, and the rows of the check-error and files reports.
    [[nodiscard]] TdtmPrijem& DataModule() const { return m_Dtm; }

    // The start-up's requests to the window.
    void SetCaption(const std::string& caption) override;
    void SetStatusPanel(int index, const std::string& text) override;
    TLoginResult RunLogin() override;
    void ShowRequestList(TRequestList& requests) override;
    void ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) override;
    void ShowFilesReport(const std::string& fileName, const std::string& resultText) override;
    std::optional<std::filesystem::path> PrintInvoice(const std::filesystem::path& pdf) override;
    // The upload dialog, filled from the settings and the packages last placed: mode 1 after an invoice send
    // and 11 after a medical-reports send in upload mode show the package; 0 and 10 (the actions) do not.
    void ShowUploadDialog(int mode) override;
    TToolConsole* ToolConsole() override;
    void SetFieldStates() override;
    void ActivateInvoiceTab() override;
    void ResetInvoiceTab() override;
    void ResetReportsTab() override;

    // The login dialog; tests replace it.
    std::function<TLoginResult()> Login;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // "Kontrola": the check run over the tab's fields, written back as the run normalised them.
    void Kontrola();
    // "Odeslat" of either tab; until the package is done the fields are written back as the run normalised them,
    // afterwards the tab is a new one.
    void Odeslat();
    void OdeslatLZ();
    void CreateActions();
    void ConnectSettingsDialogs();
    void ConnectTabActions();
    void ConnectUploadActions();
    // Ctrl+Insert and Ctrl+Delete on the batch grid press its add and remove buttons when they are enabled.
    bool BatchGridKey(QEvent* event);
    // A click, wheel or Ctrl+Tab that would change the tab. A field that refuses what it holds keeps the tab
    // as it keeps the focus; FieldRefusesToLeave leaves the focused field of the tab to find out.
    bool ChangesTab(QObject* watched, QEvent* event) const;
    bool FieldRefusesToLeave();
    QToolButton* AddButton(QToolBar* bar, const char* name, TActionId id);
    TTabSheetFak* CreateInvoiceTab();
    TTabSheetLZ* CreateReportsTab();
    void Highlight(int index);

    TPrijemController& m_Controller;
    TdtmPrijem& m_Dtm;
    TPrijemTabs m_Tabs;
    // Shows a transfer tool while it runs.
    TfrmToolConsole* m_ToolConsole;
    // Lives for the run; every ShowUploadDialog refills it.
    TfrmDlgUploadLemo* m_UploadDialog;
    std::map<TActionId, QAction*> m_Actions;
    std::map<TActionId, std::function<void()>> m_Handlers;
    QTabWidget* m_PageControl = nullptr;
    TTabSheetFak* m_TabFak = nullptr;
    TTabSheetLZ* m_TabLZ = nullptr;
    QToolButton* m_SendButton = nullptr;
    QToolButton* m_SendButtonLZ = nullptr;
    QLabel* m_Panels[4] = {};
    int m_LastTab = 0;
};

} // namespace ndlemo
