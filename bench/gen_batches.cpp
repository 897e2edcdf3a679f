// gen_batches OUTPUT LINES ICZ SEED [MAXDOCS]: writes a valid batch file of about LINES lines, with at most
// MAXDOCS documents per batch (default 250; small values give many batches of every type in few lines).

#include "TBatchGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: gen_batches OUTPUT LINES ICZ SEED [MAXDOCS]\n");
        return 2;
    }
    try {
        ndlemo::TBatchGenerator::TOptions options;
        options.TargetLines = std::stoll(argv[2]);
        options.Icz = argv[3];
        options.Seed = std::stoull(argv[4]);
        if (argc == 6)
            options.MaxDocumentsPerBatch = std::stoi(argv[5]);
        ndlemo::TBatchGenerator generator(options);
        auto stats = generator.WriteFile(argv[1]);
        std::printf("%s: %lld lines, %lld bytes, %lld batches, %lld documents, %lld items, %lld diagnoses\n", argv[1],
                    static_cast<long long>(stats.Lines), static_cast<long long>(stats.Bytes),
                    static_cast<long long>(stats.Batches), static_cast<long long>(stats.Documents),
                    static_cast<long long>(stats.Items), static_cast<long long>(stats.Diagnoses));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_batches: %s\n", e.what());
        return 1;
    }
}
