#include "app/ui/TfrmPrijem.h"

#include "app/SendRuns.h"
#include "app/TPrijemController.h"
#include "app/ui/TTabSheetFak.h"
#include "app/ui/TTabSheetLZ.h"
#include "app/ui/TfrmDlgAppIni.h"
#include "app/ui/TfrmLogin.h"
#include "invoice/TdtmPrijem.h"
#include "reports/TfrmQRFaktura.h"
#include "reports/TfrmSest01.h"
#include "reports/TfrmSest02.h"
#include "support/Utilities.h"
#include "support/ui/TDBGrid.h"
#include "support/ui/TfrmDlgRequestErr.h"
#include "transfer/ui/TfrmDlgHttpInfo.h"
#include "transfer/ui/TfrmDlgPrenosIni.h"
#include "transfer/ui/TfrmDlgPrenosIniHttp.h"
#include "transfer/ui/TfrmDlgUploadLemo.h"
#include "transfer/ui/TfrmToolConsole.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
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

TfrmPrijem::TfrmPrijem(TPrijemController& controller, TdtmPrijem& dtm, QWidget* parent)
    : QMainWindow(parent), m_Controller(controller), m_Dtm(dtm), m_Tabs(controller, dtm) {
    setObjectName("frmPrijem");
    m_ToolConsole = new TfrmToolConsole(this);
    m_UploadDialog = new TfrmDlgUploadLemo(this);
    resize(980, 760);
    CreateActions();

    auto* top = addToolBar(QStringLiteral("Nástroje"));
    top->setObjectName("tbrTop");
    top->setAccessibleName(QStringLiteral("Nástroje"));
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
    m_PageControl->setAccessibleName(QStringLiteral("Karty"));
    m_PageControl->addTab(m_TabFak, QStringLiteral("Faktura za dávky"));
    m_PageControl->addTab(m_TabLZ, QStringLiteral("Lékařské zprávy"));
    setCentralWidget(m_PageControl);
    // The tab cannot change while a run is busy (clicks and keys on the tab bar are swallowed then), nor away
    // from a field that refuses what it holds.
    m_PageControl->tabBar()->installEventFilter(this);
    m_PageControl->installEventFilter(this);
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
    ConnectTabActions();
    ConnectUploadActions();
}

void TfrmPrijem::ConnectTabActions() {
    SetHandler(TActionId::acNovyPrijem, [this] { ResetInvoiceTab(); });
    SetHandler(TActionId::acKontrola, [this] { Kontrola(); });
    SetHandler(TActionId::acOdeslat, [this] { Odeslat(); });
    SetHandler(TActionId::acOdeslatLZ, [this] { OdeslatLZ(); });
    SetHandler(TActionId::acNoveLZ, [this] { ResetReportsTab(); });
    SetHandler(TActionId::acPridatSouborPrijmu, [this] { m_Tabs.AddBatchFile(); });
    SetHandler(TActionId::acOdstranitSouborPrijmu, [this] { m_Tabs.RemoveBatchFile(); });
    SetHandler(TActionId::acPridatSouborLZ, [this] { m_Tabs.AddReportFile(); });
    SetHandler(TActionId::acOdstranitSouborLZ, [this] { m_Tabs.RemoveReportFile(); });
    m_TabFak->Grid()->installEventFilter(this);
}

void TfrmPrijem::ConnectUploadActions() {
    SetHandler(TActionId::acUploadLemo, [this] { ShowUploadDialog(0); });
    SetHandler(TActionId::acUploadLemoLZ, [this] { ShowUploadDialog(10); });
}

void TfrmPrijem::ShowUploadDialog(int mode) {
    const AppSettings& settings = m_Controller.Settings;
    m_UploadDialog->ShowUploadDialog(mode, {m_Controller.LastUploadFile, m_Controller.LastUploadFileLZ,
                                            settings.UploadOutDir, settings.UploadAdresa});
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

TTabSheetFak* TfrmPrijem::CreateInvoiceTab() {
    auto* tab = new TTabSheetFak(m_Tabs);
    QToolBar* bar = tab->ToolBar();
    AddButton(bar, "sbtnNovyPrijem", TActionId::acNovyPrijem);
    AddButton(bar, "sbtnKontrola", TActionId::acKontrola);
    m_SendButton = AddButton(bar, "sbtnOdeslat", TActionId::acOdeslat);
    AddButton(bar, "sbtnUploadLemo", TActionId::acUploadLemo);
    AddButton(tab->FilesToolBar(), "sbtnPridatSouborPrijmu", TActionId::acPridatSouborPrijmu);
    AddButton(tab->FilesToolBar(), "sbtnOdstranitSouborPrijmu", TActionId::acOdstranitSouborPrijmu);
    return tab;
}

TTabSheetLZ* TfrmPrijem::CreateReportsTab() {
    auto* tab = new TTabSheetLZ(m_Tabs);
    AddButton(tab->ToolBar(), "sbtnNoveLZ", TActionId::acNoveLZ);
    m_SendButtonLZ = AddButton(tab->ToolBar(), "sbtnOdeslatLZ", TActionId::acOdeslatLZ);
    AddButton(tab->ToolBar(), "sbtnUploadLemoLZ", TActionId::acUploadLemoLZ);
    AddButton(tab->FilesToolBar(), "sbtnPridatSouborLZ", TActionId::acPridatSouborLZ);
    AddButton(tab->FilesToolBar(), "sbtnOdstranitSouborLZ", TActionId::acOdstranitSouborLZ);
    return tab;
}

void TfrmPrijem::UpdateActions() {
    TActionContext context;
    context.Busy = m_Controller.Busy;
    context.InvoiceTabActive = m_PageControl->currentIndex() == 0;
    context.TypPrenosu = m_Controller.Settings.TypPrenosu;
    m_Tabs.FillTableState(context);
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

void TfrmPrijem::Kontrola() {
    TInvoiceForm form = m_TabFak->ReadForm();
    // What the run normalised before it stopped is shown even when it stops with an error.
    struct TWriteBack {
        TTabSheetFak* Tab;
        TInvoiceForm& Form;
        ~TWriteBack() { Tab->ShowForm(Form); }
    } writeBack{m_TabFak, form};
    RunKontrola(m_Controller, form, m_Tabs.BatchFiles, *this);
}

void TfrmPrijem::Odeslat() {
    TInvoiceForm form = m_TabFak->ReadForm();
    TSendStage stage = TSendStage::Check;
    struct TWriteBack {
        TTabSheetFak* Tab;
        TInvoiceForm& Form;
        TSendStage& Stage;
        ~TWriteBack() {
            if (Stage != TSendStage::Done)
                Tab->ShowForm(Form);
        }
    } writeBack{m_TabFak, form, stage};
    (void)RunOdeslat(m_Controller, form, m_Tabs.BatchFiles, *this, stage);
}

void TfrmPrijem::OdeslatLZ() {
    TReportsForm form = m_TabLZ->ReadForm();
    TSendStage stage = TSendStage::Check;
    (void)RunOdeslatLZ(m_Controller, form, m_Tabs.ReportFiles, *this, stage);
}

void TfrmPrijem::ShowFilesReport(const std::string& fileName, const std::string& resultText) {
    TfrmSest02 report(m_Dtm.qssSest02, m_Controller.ProgramFile);
    report.ShowFilesReport(m_Controller.UserName, m_Controller.Settings.Pracoviste, m_Controller.Prij, fileName,
                           resultText);
}

std::optional<std::filesystem::path> TfrmPrijem::PrintInvoice(const std::filesystem::path& pdf) {
    TfrmQRFaktura printout;
    printout.FillInvoiceBatches(m_Controller.Prij);
    printout.SetInvoiceValues(TInvoiceValues::FromRecord(m_Controller.Prij));
    printout.ShowPreview();
    std::filesystem::path written = pdf;
    if (!printout.ExportPdf(written))
        return std::nullopt;
    return written;
}

TToolConsole* TfrmPrijem::ToolConsole() {
    return m_ToolConsole;
}

void TfrmPrijem::ShowCheckReport(bool chyby, const std::string& fileName, const std::string& resultText) {
    TfrmSest01 report(m_Dtm.qssSest01, m_Controller.ProgramFile);
    report.Nahled(chyby, m_Controller.UserName, m_Controller.Prij, fileName, resultText,
                  m_Controller.Settings.Pracoviste);
}

void TfrmPrijem::ShowRequestList(TRequestList& requests) {
    ndlemo::ShowRequestList(requests, this);
}

void TfrmPrijem::SetFieldStates() {
    m_TabFak->SetFieldStates();
    m_TabLZ->SetFieldStates();
}

void TfrmPrijem::ActivateInvoiceTab() {
    m_PageControl->setCurrentIndex(0);
    m_LastTab = 0;
    Highlight(0);
    m_TabFak->FirstField()->setFocus();
}

void TfrmPrijem::ResetInvoiceTab() {
    m_TabFak->ShowForm(m_Tabs.ResetInvoice());
    m_TabFak->ApplySupplierModes();
}

void TfrmPrijem::ResetReportsTab() {
    m_TabLZ->ShowForm(m_Tabs.ResetReports());
}

void TfrmPrijem::Highlight(int index) {
    QTabBar* bar = m_PageControl->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        bar->setTabTextColor(i, i == index ? QColor(Qt::blue) : palette().color(QPalette::WindowText));
}

bool TfrmPrijem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_TabFak->Grid() && BatchGridKey(event))
        return true;
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
    if (ChangesTab(watched, event) && FieldRefusesToLeave())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmPrijem::ChangesTab(QObject* watched, QEvent* event) const {
    if (watched == m_PageControl->tabBar())
        return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel;
    if (watched == m_PageControl && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return (key->modifiers() & Qt::ControlModifier) && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
    }
    return false;
}

bool TfrmPrijem::FieldRefusesToLeave() {
    QWidget* focused = QApplication::focusWidget();
    QWidget* page = m_PageControl->currentWidget();
    if (!focused || !page || !page->isAncestorOf(focused))
        return false;
    // Leaving the field checks it; one that refuses takes the focus back.
    m_PageControl->tabBar()->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == focused;
}

bool TfrmPrijem::BatchGridKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier ||
        (key->key() != Qt::Key_Insert && key->key() != Qt::Key_Delete))
        return false;
    // Consumed either way, so that no shortcut and nothing of the grid's own acts on these keys.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const TActionId id =
        key->key() == Qt::Key_Insert ? TActionId::acPridatSouborPrijmu : TActionId::acOdstranitSouborPrijmu;
    UpdateActions();
    if (Action(id)->isEnabled())
        Action(id)->trigger();
    return true;
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
