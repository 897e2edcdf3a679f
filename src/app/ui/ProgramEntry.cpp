#include "app/ui/ProgramEntry.h"

#include "app/TPrijemController.h"
#include "app/ui/TNdLemoApplication.h"
#include "app/ui/TfrmPrijem.h"
#include "invoice/TdtmPrijem.h"
#include "platform/TSingleInstanceLock.h"
#include "reports/TReportPreview.h"
#include "reports/ui/TQtReportPreview.h"
#include "support/FormatText.h"
#include "support/TFileChooser.h"
#include "support/TMessageBoxes.h"
#include "support/ui/TQtFileChooser.h"
#include "transfer/ui/QtBusyCursor.h"

namespace ndlemo {

int RunProgram(const TProgramOptions& options) {
    platform::TSingleInstanceLock lock("ProgramNdLemo", options.LockDir);
    switch (lock.Acquire()) {
    case platform::TSingleInstanceLock::TResult::Acquired:
        break;
    case platform::TSingleInstanceLock::TResult::Busy:
        ShowPlainMessage("Program NdLemo je již spuštěn.");
        return 0;
    case platform::TSingleInstanceLock::TResult::Failed:
        ShowErrorMessage(FormatText("Zámek programu \"%s\" nelze otevřít: %s", lock.LockFile().string(), lock.Error()));
        return 1;
    }
    TPrijemController controller(options.ProgramDir, options.ProgramFile);
    auto* app = dynamic_cast<TNdLemoApplication*>(QCoreApplication::instance());
    if (app)
        app->ErrorHandler = [&controller](const std::exception& e) { controller.HandleError(e); };
    BindBusyCursorToQt();

    int code = 0;
    {
        // The tables before the window that shows them.
        TdtmPrijem dtm;
        TfrmPrijem window(controller, dtm);
        TQtReportPreview preview(&window);
        TReportPreview::Install(&preview);
        TQtFileChooser chooser(&window);
        TFileChooser::Install(&chooser);
        if (controller.StartUp(window) && !controller.EndRequested) {
            window.show();
            window.UpdateActions();
            if (options.RunEventLoop)
                code = QCoreApplication::exec();
        }
        controller.ShutDown(&window);
        TFileChooser::Install(nullptr);
        TReportPreview::Install(nullptr);
    }
    if (app)
        app->ErrorHandler = nullptr;
    return code;
}

} // namespace ndlemo
