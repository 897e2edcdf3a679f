#pragma once

#include "transfer/TransferSettings.h"

#include <filesystem>
#include <functional>
#include <string>

namespace ndlemo {

class TMessageBoxes;
class TToolConsole;

// What the package sends and the connection test need of the program: its directories and settings, the run log
// and the seams through which they show something.
struct TTransferContext {
    // The command interpreter lies here.
    std::filesystem::path ProgramDir;
    // `out`: the tools, "Nofile", the key file and the work files of the package being built.
    std::filesystem::path DirOut;
    // `out`/"zaloha": the copy of an invoice package until its send has completed.
    std::filesystem::path DirZaloha;

    // TypPrenosu is "SCP"; any other type is the web upload.
    bool Scp = true;
    // The upload directory ([UploadLemo] OutDir) and the archive of sent packages.
    std::string UploadOutDir;
    std::string DirOdeslane;
    // The logged-in user and the workplace code, for the description file.
    std::string UserName;
    std::string Pracoviste;
    TransferSettings Prenos;

    // The run log (level 0 events, level 16 errors); nothing is logged without it.
    std::function<void(int level, const std::string& text)> Log;
    // Where the tools show themselves while they run; standard error without one.
    TToolConsole* Console = nullptr;
    // The message boxes; the installed ones (TMessageBoxes::Current) without any.
    TMessageBoxes* Boxes = nullptr;
};

} // namespace ndlemo
