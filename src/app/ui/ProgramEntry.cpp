#include "app/ui/ProgramEntry.h"

#include "app/TPrijemController.h"
#include "app/ui/TNdLemoApplication.h"
#include "app/ui/TfrmPrijem.h"
#include "platform/TSingleInstanceLock.h"
#include "support/FormatText.h"
#include "support/TMessageBoxes.h"

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

    int code = 0;
    {
        TfrmPrijem window(controller);
        if (controller.StartUp(window) && !controller.EndRequested) {
            window.show();
            window.UpdateActions();
            if (options.RunEventLoop)
                code = QCoreApplication::exec();
        }
        controller.ShutDown(&window);
    }
    if (app)
        app->ErrorHandler = nullptr;
    return code;
}

} // namespace ndlemo
