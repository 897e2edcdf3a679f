// ndlemo-check: the file part of the check run from the command line. Reads every given batch file in order with
// one pair of key registers (so duplicates are found across files) and prints the batches, the error lines of
// each faulty file and the result, as the check-error report shows them.
//
// Exit status: 0 all files clean, 1 some file has errors, 2 usage error, 3 the run itself failed.

#include "batch/CheckReportText.h"
#include "batch/TKeyRegister.h"
#include "batch/TLemoSoubor.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* UsageText = "usage: ndlemo-check --icz ICZ [--no-modulo] [--batches] FILE...\n"
                                  "  --icz ICZ     IČZ of the invoice; every batch header must carry it\n"
                                  "  --no-modulo   skip the modulo-11 rule on insurance numbers\n"
                                  "  --batches     first list the batches of every file (file, batch, month, year, "
                                  "errors)\n";

struct TCheckOptions {
    std::string Icz;
    bool NoModulo = false;
    bool Batches = false;
    bool Help = false;
    std::vector<std::string> Files;
};

// Fills options; returns an error text for a usage error, empty when the arguments are good.
std::string ParseArguments(int argc, char** argv, TCheckOptions& options) {
    bool haveIcz = false;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.Files.emplace_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--icz") {
            if (i + 1 >= argc)
                return "--icz needs a value";
            options.Icz = argv[++i];
            haveIcz = true;
        } else if (arg.starts_with("--icz=")) {
            options.Icz = arg.substr(6);
            haveIcz = true;
        } else if (arg == "--no-modulo") {
            options.NoModulo = true;
        } else if (arg == "--batches") {
            options.Batches = true;
        } else if (arg == "--help" || arg == "-h") {
            options.Help = true;
            return {};
        } else {
            return "unknown option " + std::string(arg);
        }
    }
    // The check run trims the IČZ field before anything else.
    options.Icz = ndlemo::TrimWhitespace(options.Icz);
    if (!haveIcz || options.Icz.empty())
        return "--icz is required";
    if (options.Files.empty())
        return "no batch file given";
    return {};
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ndlemo::TFormatSettings::Set(ndlemo::TFormatSettings::FromSystem());

    TCheckOptions options;
    std::string usageError = ParseArguments(argc, argv, options);
    if (options.Help) {
        std::fputs(UsageText, stdout);
        return 0;
    }
    if (!usageError.empty()) {
        std::fprintf(stderr, "ndlemo-check: %s\n%s", usageError.c_str(), UsageText);
        return 2;
    }

    try {
        ndlemo::TKeyRegister batchKeys;
        ndlemo::TKeyRegister docKeys;
        std::vector<std::unique_ptr<ndlemo::TLemoSoubor>> files;
        bool anyErrors = false;
        for (const auto& name : options.Files) {
            auto file = std::make_unique<ndlemo::TLemoSoubor>();
            file->JmenoSouboru = name;
            if (options.NoModulo)
                file->KontrolaModulo = false;
            try {
                file->Nacti(batchKeys, docKeys, options.Icz);
            } catch (const ndlemo::ESubroutineError& e) {
                // A file that cannot be read as a whole is faulty; the run goes on with the next one.
                file->Chyby.push_back(e.Message());
            }
            anyErrors = anyErrors || !file->Chyby.empty();
            files.push_back(std::move(file));
        }
        Print(ndlemo::CheckReportText(files, options.Batches));
        std::fflush(stdout);
        return anyErrors ? 1 : 0;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "ndlemo-check: %s\n", e.what());
        return 3;
    }
}
