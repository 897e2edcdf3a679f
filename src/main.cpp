#include "app/ui/ProgramEntry.h"
#include "app/ui/TNdLemoApplication.h"
#include "platform/Platform.h"
#include "support/TMessageBoxes.h"
#include "support/ui/TQtMessageBoxes.h"

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ndlemo::TNdLemoApplication app(argc, argv);
    ndlemo::TQtMessageBoxes boxes;
    ndlemo::TMessageBoxes::Install(&boxes);
    ndlemo::TProgramOptions options;
    options.ProgramDir = ndlemo::platform::ProgramDir();
    options.ProgramFile = ndlemo::platform::ProgramPath();
    int code = ndlemo::RunProgram(options);
    ndlemo::TMessageBoxes::Install(nullptr);
    return code;
}
