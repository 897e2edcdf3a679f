#pragma once

#include "app/AppSettings.h"
#include "app/TRunLog.h"
#include "invoice/TLemoPrij.h"
#include "transfer/TTransferContext.h"
#include "transfer/TransferSettings.h"

#include <filesystem>
#include <functional>
#include <string>

namespace ndlemo {

class TStartupUi;
class TToolConsole;

// The run-time state of the main window and the logic around it that needs no window: the start-up
// sequence, the error handler, the directory collision check and the shut-down.
class TPrijemController {
public:
    // programDir holds the settings, the log and the working directories; programFile names the executable
    // (its stem names the settings and log files).
    TPrijemController(std::filesystem::path programDir, std::filesystem::path programFile);

    // The start-up sequence. Returns false when the program must end (login cancelled, or a fatal error,
    // which has then been shown and logged).
    bool StartUp(TStartupUi& ui);
    // Logs the end and resets both tabs.
    void ShutDown(TStartupUi* ui);

    // Runs an action; an error is shown (a silent abort is not). Before the start-up has completed,
    // an error also ends the program.
    void Guard(const std::function<void()>& action);
    void HandleError(const std::exception& error);

    // DirOdeslane must differ from the program and working directories; in upload mode the upload directory
    // must differ from DirOdeslane and from the program and working directories. Raises ESubroutineError.
    void CheckDirCollision() const;
    [[nodiscard]] static std::string NormalizeDir(const std::string& path, bool trim);

    void WriteLog(int level, const std::string& text) const { Log.Write(level, text); }

    // What the transfer needs of the run: its directories, settings, user and run log; the tools show themselves
    // in the console (standard error without one).
    [[nodiscard]] TTransferContext TransferContext(TToolConsole* console) const;
    // "Test spojení": busy while it runs; the SCP settings are checked first (refused ones are listed and nothing
    // runs), then the test file is fetched and its text shown in an information box. Raises what the test raises.
    void TestSpojeni(TStartupUi& ui, TToolConsole* console);
    // "Přenos SCP", "Upload Lemo" or empty.
    [[nodiscard]] std::string TransferModeText() const;

    std::filesystem::path ProgramDir;
    std::filesystem::path ProgramFile;
    std::filesystem::path DirPracovni;
    std::filesystem::path DirOut;
    std::filesystem::path DirZaloha;

    AppSettings Settings;
    TransferSettings Transfer;
    TLemoPrij Prij;
    TRunLog Log;

    std::string UserName;
    std::string Password;
    bool NoModulo = false;
    bool Busy = false;
    bool Created = false;
    // Set when the program must end (a fatal error before the start completed).
    bool EndRequested = false;

    std::string LastBatchDir;
    std::string LastReportDir;
    std::string LastUploadFile;
    std::string LastUploadFileLZ;
};

} // namespace ndlemo
