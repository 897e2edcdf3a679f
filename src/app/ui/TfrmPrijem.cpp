#include "app/ui/TfrmPrijem.h"

#include "app/TPrijemController.h"
#include "app/ui/TfrmDlgAppIni.h"
#include "app/ui/TfrmLogin.h"
#include "support/Utilities.h"
#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/ui/TfrmDlgHttpInfo.h"
#include "transfer/ui/TfrmDlgPrenosIni.h"
#include "transfer/ui/TfrmDlgPrenosIniHttp.h"
#include "transfer/ui/TfrmToolConsole.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ndlemo {

namespace {
QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
constexpr int PanelWidths[4] = {50, 120, 300, 50};
} // namespace

TfrmPrijem::TfrmPrijem(TPrijemController& controller, QWidget* parent) : QMainWindow(parent), m_Controller(controller) {
    setObjectName("frmPrijem");
    m_ToolConsole = new TfrmToolConsole(this);
    resize(900, 640);
    CreateActions();

    auto* top = addToolBar(QStringLiteral("Nástroje"));
    top->setObjectName("tbrTop");
    top->setMovable(false);
    top->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    AddButton(top, "sbtnTestSpojeni", TActionId::acTestSpojeni);
    AddButton(top, "sbtnHttpInfo", TActionId::acDlgHttpInfo);
    AddButton(top, "sbtnNastaveni", TActionId::acDlgAppIni);
    AddButton(top, "sbtnNastaveniInfo", TActionId::acDlgHttpIni);

    m_PageControl = new QTabWidget(this);
    m_PageControl->setObjectName("PageControlPrij");
    m_TabFak = CreateInvoiceTab();
    m_TabLZ = CreateReportsTab();
    m_PageControl->addTab(m_TabFak, QStringLiteral("Faktura za dávky"));
    m_PageControl->addTab(m_TabLZ, QStringLiteral("Lékařské zprávy"));
    setCentralWidget(m_PageControl);
    // The tab cannot change while a run is busy; clicks and keys on the tab bar are swallowed then.
    m_PageControl->tabBar()->installEventFilter(this);
    connect(m_PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_Controller.Busy) {
            QSignalBlocker block(m_PageControl);
            m_PageControl->setCurrentIndex(m_LastTab);
            return;
        }
        m_LastTab = index;
        Highlight(index);
    });

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBarPrij");
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        m_Panels[i] = new QLabel(status);
        m_Panels[i]->setObjectName(QStringLiteral("StatusBarPrijPanel%1").arg(i));
        m_Panels[i]->setMinimumWidth(PanelWidths[i]);
        m_Panels[i]->setFrameShape(QFrame::StyledPanel);
        status->addWidget(m_Panels[i], i == 2 ? 1 : 0);
    }
    setStatusBar(status);

    // Enabling rules are re-evaluated whenever the event queue runs dry and regularly besides.
    auto* idle = new QTimer(this);
    idle->setInterval(100);
    connect(idle, &QTimer::timeout, this, &TfrmPrijem::UpdateActions);
    idle->start();
    Highlight(0);
    ConnectSettingsDialogs();
}

void TfrmPrijem::ConnectSettingsDialogs() {
    SetHandler(TActionId::acDlgAppIni, [this] {
        TfrmDlgAppIni dialog(m_Controller.Settings,
                             AppIniPath(m_Controller.ProgramDir, m_Controller.ProgramFile.filename()), this);
        dialog.SetScpAction(Action(TActionId::acDlgScpIni));
        connect(&dialog, &TfrmDlgAppIni::SettingsSaved, this, [this] {
            SetStatusPanel(0, m_Controller.Settings.Pracoviste);
            SetStatusPanel(3, m_Controller.TransferModeText());
        });
        dialog.Execute();
    });
    SetHandler(TActionId::acDlgScpIni, [this] {
        TfrmDlgPrenosIni dialog(m_Controller.Transfer, m_Controller.ProgramDir, this);
        dialog.Execute();
    });
    SetHandler(TActionId::acTestSpojeni, [this] { m_Controller.TestSpojeni(*this, m_ToolConsole); });
    SetHandler(TActionId::acDlgHttpIni, [this] {
        TfrmDlgPrenosIniHttp dialog(m_Controller.Transfer, m_Controller.ProgramDir, this);
        dialog.Execute();
    });
    SetHandler(TActionId::acDlgHttpInfo, [this] {
        TfrmDlgHttpInfo dialog(m_Controller.Transfer, GetProductVersion(m_Controller.ProgramFile),
                               m_Controller.ProgramDir, this);
        dialog.Execute();
    });
}

void TfrmPrijem::CreateActions() {
    for (const auto& def : TActionRules::Actions()) {
        auto* action = new QAction(Q(def.Caption), this);
        action->setObjectName(Q(def.Name));
        action->setToolTip(Q(def.Hint));
        action->setStatusTip(Q(def.Hint));
        if (!def.Shortcut.empty())
            action->setShortcut(QKeySequence(Q(def.Shortcut)));
        const TActionId id = def.Id;
        connect(action, &QAction::triggered, this, [this, id] {
            auto it = m_Handlers.find(id);
            if (it == m_Handlers.end() || !it->second)
                return;
            UpdateActions();
            if (!m_Actions.at(id)->isEnabled())
                return;
            m_Controller.Guard(it->second);
            UpdateActions();
        });
        addAction(action);
        m_Actions[id] = action;
    }
}

void TfrmPrijem::SetHandler(TActionId id, std::function<void()> handler) {
    m_Handlers[id] = std::move(handler);
}

QToolButton* TfrmPrijem::AddButton(QToolBar* bar, const char* name, TActionId id) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setDefaultAction(m_Actions.at(id));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

QWidget* TfrmPrijem::CreateInvoiceTab() {
    auto* tab = new QWidget;
    tab->setObjectName("tabSheetFak");
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QToolBar(tab);
    bar->setObjectName("tbrFaktura");
    AddButton(bar, "sbtnNovyPrijem", TActionId::acNovyPrijem);
    AddButton(bar, "sbtnKontrola", TActionId::acKontrola);
    m_SendButton = AddButton(bar, "sbtnOdeslat", TActionId::acOdeslat);
    AddButton(bar, "sbtnUploadLemo", TActionId::acUploadLemo);
    layout->addWidget(bar);
    layout->addStretch(1);
    auto* files = new QToolBar(tab);
    files->setObjectName("tbrSoubory");
    AddButton(files, "sbtnPridatSouborPrijmu", TActionId::acPridatSouborPrijmu);
    AddButton(files, "sbtnOdstranitSouborPrijmu", TActionId::acOdstranitSouborPrijmu);
    layout->addWidget(files);
    return tab;
}

QWidget* TfrmPrijem::CreateReportsTab() {
    auto* tab = new QWidget;
    tab->setObjectName("tabSheetLZ");
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QToolBar(tab);
    bar->setObjectName("tbrLZ");
    AddButton(bar, "sbtnNoveLZ", TActionId::acNoveLZ);
    m_SendButtonLZ = AddButton(bar, "sbtnOdeslatLZ", TActionId::acOdeslatLZ);
    AddButton(bar, "sbtnUploadLemoLZ", TActionId::acUploadLemoLZ);
    layout->addWidget(bar);
    layout->addStretch(1);
    auto* files = new QToolBar(tab);
    files->setObjectName("tbrSouboryLZ");
    AddButton(files, "sbtnPridatSouborLZ", TActionId::acPridatSouborLZ);
    AddButton(files, "sbtnOdstranitSouborLZ", TActionId::acOdstranitSouborLZ);
    layout->addWidget(files);
    return tab;
}

void TfrmPrijem::UpdateActions() {
    TActionContext context;
    context.Busy = m_Controller.Busy;
    context.InvoiceTabActive = m_PageControl->currentIndex() == 0;
    context.TypPrenosu = m_Controller.Settings.TypPrenosu;
    if (FillTableState)
        FillTableState(context);
    for (const auto& def : TActionRules::Actions())
        m_Actions.at(def.Id)->setEnabled(TActionRules::Enabled(def.Id, context));
    const QString sendText = Q(TActionRules::SendButtonText(context.TypPrenosu));
    m_SendButton->setText(sendText);
    m_SendButtonLZ->setText(sendText);
}

void TfrmPrijem::SetStatusPanel(int index, const QString& text) {
    if (index >= 0 && index < 4)
        m_Panels[index]->setText(text);
}

void TfrmPrijem::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

void TfrmPrijem::SetStatusPanel(int index, const std::string& text) {
    SetStatusPanel(index, Q(text));
}

TLoginResult TfrmPrijem::RunLogin() {
    if (Login)
        return Login();
    TfrmLogin dialog(this);
    return dialog.Execute();
}

void TfrmPrijem::ShowRequestList(TRequestList& requests) {
    ndlemo::ShowRequestList(requests, this);
}

// The fields of the tabs get their states when the tabs have fields.
void TfrmPrijem::SetFieldStates() {}

void TfrmPrijem::ActivateInvoiceTab() {
    m_PageControl->setCurrentIndex(0);
    m_LastTab = 0;
    Highlight(0);
    if (auto* icz = m_TabFak->findChild<QWidget*>("cedtICZ"))
        icz->setFocus();
}

void TfrmPrijem::ResetInvoiceTab() {}

void TfrmPrijem::ResetReportsTab() {}

void TfrmPrijem::Highlight(int index) {
    QTabBar* bar = m_PageControl->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        bar->setTabTextColor(i, i == index ? QColor(Qt::blue) : palette().color(QPalette::WindowText));
}

bool TfrmPrijem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_PageControl->tabBar() && m_Controller.Busy) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmPrijem::closeEvent(QCloseEvent* event) {
    // A run waits for its tools on this thread; closing in the middle would cut it short.
    if (m_Controller.Busy) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace ndlemo
