#include "app/TPrijemController.h"

#include "app/PasswordRule.h"
#include "app/TBusyScope.h"
#include "app/TStartupUi.h"
#include "platform/Platform.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"
#include "support/TMessageBoxes.h"
#include "support/TRequestList.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/TestConnection.h"
#include "transfer/TransferTools.h"

#include <system_error>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
const char* const ApplicationTitle = "ND LEMO";

std::string WithoutTrailingSeparator(std::string s) {
    while (s.size() > 1 && s.back() == fs::path::preferred_separator)
        s.pop_back();
    return s;
}
} // namespace

TPrijemController::TPrijemController(fs::path programDir, fs::path programFile)
    : ProgramDir(std::move(programDir)), ProgramFile(std::move(programFile)) {
    DirPracovni = ProgramDir / "pracovni";
    DirOut = ProgramDir / "out";
    DirZaloha = DirOut / "zaloha";
}

bool TPrijemController::StartUp(TStartupUi& ui) {
    try {
        TFormatSettings::Set(TFormatSettings::FromSystem());
        ui.SetCaption(std::string(ApplicationTitle) + " " + GetProductVersion(ProgramFile));
        ui.SetStatusPanel(2, WithoutTrailingSeparator(ProgramDir.string()));

        TLoginResult login = ui.RunLogin();
        if (!login.Accepted()) {
            EndRequested = true;
            return false;
        }
        UserName = login.User;
        Password = login.Password;

        Log.Open(ProgramDir, ProgramFile);
        WriteLog(TRunLog::LevelInfo, FormatText("Program spuštěn (uživatel %s)", UserName));

        Settings = LoadAppIni(AppIniPath(ProgramDir, ProgramFile.filename()));
        LoadPrenosIni(ProgramDir, Transfer);
        {
            TRequestList requests;
            ValidateAppSettings(Settings, requests);
            if (Settings.TypPrenosu == TTransferMode::Scp)
                ValidatePrenosSettings(Transfer, requests);
            if (requests.Count() > 0)
                ui.ShowRequestList(requests);
        }
        LoadHttpIni(ProgramDir, Transfer);
        LoadProxyIni(ProgramDir, Transfer);

        NoModulo = ApplyPasswordRule(Settings.Pracoviste, Password);

        ui.SetStatusPanel(0, Settings.Pracoviste);
        ui.SetStatusPanel(1, UserName);
        ui.SetStatusPanel(3, TransferModeText());

        for (const fs::path& dir : {DirPracovni, DirOut, DirZaloha}) {
            std::error_code ec;
            if (!fs::is_directory(dir, ec))
                fs::create_directories(dir, ec);
            if (!fs::is_directory(dir, ec))
                throw ESubroutineError("Adresář \"%s\" neexistuje.", dir.string());
        }

        try {
            CheckDirCollision();
        } catch (const ESubroutineError& e) {
            ShowError(e);
        }

        if (Settings.TypPrenosu == TTransferMode::Scp)
            CheckTransferTools(ProgramDir, DirOut);

        ui.SetFieldStates();
        ui.ActivateInvoiceTab();
        ui.ResetInvoiceTab();
        ui.ResetReportsTab();
        Created = true;
        return true;
    } catch (const std::exception& e) {
        HandleError(e);
        return !EndRequested;
    }
}

void TPrijemController::ShutDown(TStartupUi* ui) {
    WriteLog(TRunLog::LevelInfo, "Program ukončen");
    if (ui) {
        Guard([ui] { ui->ResetInvoiceTab(); });
        Guard([ui] { ui->ResetReportsTab(); });
    }
}

void TPrijemController::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        HandleError(e);
    }
}

void TPrijemController::HandleError(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    ShowError(error);
    if (!Created) {
        WriteLog(TRunLog::LevelError, error.what());
        EndRequested = true;
    }
}

std::string TPrijemController::NormalizeDir(const std::string& path, bool trim) {
    std::string p = trim ? TrimWhitespace(path) : path;
    std::string full = WithoutTrailingSeparator(platform::ExpandFullPath(p).string());
    full = UpperCase(full);
    if (full.empty() || full.back() != fs::path::preferred_separator)
        full += fs::path::preferred_separator;
    return full;
}

void TPrijemController::CheckDirCollision() const {
    const std::string odeslane = NormalizeDir(Settings.DirOdeslane, true);
    for (const fs::path& dir : {ProgramDir, DirOut, DirPracovni, DirZaloha}) {
        if (NormalizeDir(dir.string(), true) == odeslane)
            throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", Settings.DirOdeslane,
                                   "Adresář odeslaných souborů");
    }
    if (Settings.TypPrenosu != TTransferMode::Upload)
        return;
    const std::string upload = NormalizeDir(Settings.UploadOutDir, false);
    if (upload == odeslane)
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", Settings.UploadOutDir,
                               "Adresář pro upload Lemo");
    // A package placed there would be deleted or overwritten with the send's own work files.
    for (const fs::path& dir : {ProgramDir, DirOut, DirPracovni, DirZaloha}) {
        if (NormalizeDir(dir.string(), true) == upload)
            throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", Settings.UploadOutDir,
                                   "Adresář uploadu Lemo");
    }
}

std::string TPrijemController::TransferModeText() const {
    if (Settings.TypPrenosu == TTransferMode::Scp)
        return "Přenos SCP";
    if (Settings.TypPrenosu == TTransferMode::Upload)
        return "Upload Lemo";
    return {};
}

TTransferContext TPrijemController::TransferContext(TToolConsole* console) const {
    TTransferContext context;
    context.ProgramDir = ProgramDir;
    context.DirOut = DirOut;
    context.DirZaloha = DirZaloha;
    context.Scp = Settings.TypPrenosu == TTransferMode::Scp;
    context.UploadOutDir = Settings.UploadOutDir;
    context.DirOdeslane = Settings.DirOdeslane;
    context.UserName = UserName;
    context.Pracoviste = Settings.Pracoviste;
    context.Prenos = Transfer;
    context.Log = [this](int level, const std::string& text) { WriteLog(level, text); };
    context.Console = console;
    return context;
}

void TPrijemController::TestSpojeni(TStartupUi& ui, TToolConsole* console) {
    TBusyScope busy(Busy);
    const std::optional<std::string> text =
        ExecuteTestSpojeni(TransferContext(console), [&ui](TRequestList& requests) { ui.ShowRequestList(requests); });
    if (text)
        ShowInfoMessage(*text);
}

} // namespace ndlemo
