// bench_reports: speed and memory of the check-error report for a long list of errors.
//
//   bench_reports [--errors N] [--keep]
//
// Builds an invoice with one file of 12 batches and N error lines (default 100 000: a 1 000 000-line file with
// an error on every tenth line), lays the report out (fill and both passes), paints its first page as the
// preview's first paint would (96 dpi), and writes all pages as PDF into a temporary file (kept with --keep).
// Prints times, page count, file size and the process's peak memory; it asserts nothing.

#include "invoice/TLemoPrij.h"
#include "reports/TReportPdfWriter.h"
#include "reports/TReportRenderer.h"
#include "reports/TfrmSest01.h"
#include "support/ProgramTables.h"
#include "support/TQsStreamDataSet.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A field of /proc/self/status such as "VmHWM:   1234 kB", in kB; -1 where the system does not tell.
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(key), nullptr, 10);
    return -1;
}

// Error texts of the kinds the checks produce, so the lines have realistic lengths.
const char* const Messages[] = {
    "Nepřípustná hodnota \"X\" pro \"Typ dokladu\"",
    "Délka hodnoty \"Číslo pojištěnce\" musí být 10 a ne 9",
    "Hodnota \"Kód výkonu\" smí obsahovat pouze znaky \"0 až 9\"",
    "Pole \"Datum výkonu\" musí být zadáno",
    "Datum výkonu 31.02.2024 není platné datum; doklad je ve vyúčtovaném období mimo rozsah dávky",
};

} // namespace

int main(int argc, char** argv) {
    long errors = 100000;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--errors") == 0 && i + 1 < argc)
            errors = std::strtol(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--keep") == 0)
            keep = true;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A runtime folder of the run's own, so Qt neither warns nor creates one under /tmp.
    std::string runtime;
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        runtime = (std::filesystem::temp_directory_path() / "bench_reports-XXXXXX").string();
        if (mkdtemp(runtime.data()))
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        else
            runtime.clear();
    }
    QGuiApplication app(argc, argv);
    using namespace ndlemo;

    TLemoPrij prij;
    prij.ICZ = "12345678";
    prij.ICO = "87654321";
    prij.CisloFaktury = "2024000123";
    prij.RokFaktury = "2024";
    prij.CisloUctu = "123456789";
    prij.KodBanky = "0100";
    prij.Castka = 1234567.5;
    auto file = std::make_unique<TLemoSoubor>();
    for (int b = 1; b <= 12; ++b) {
        auto davka = std::make_unique<TPrijDavka>();
        davka->Davka.Cislo = b;
        davka->Davka.Mesic = b < 10 ? "0" + std::to_string(b) : std::to_string(b);
        davka->Davka.Rok = "2024";
        file->Davky.push_back(std::move(davka));
    }
    file->Chyby.reserve(static_cast<size_t>(errors));
    for (long e = 0; e < errors; ++e)
        file->Chyby.push_back("Řádek " + std::to_string(e * 10 + 7) + ": " + Messages[e % 5]);
    prij.Soubory.push_back(std::move(file));
    const long baseKb = StatusKb("VmRSS:");

    auto table = CreateQssSest01();
    TfrmSest01 form(*table, "/proc/self/exe");
    auto t0 = Clock::now();
    TReportDocument pages = form.Priprav(true, "bench", prij, "", "Fakturu a dávky nelze přijmout", "PRAC01");
    auto t1 = Clock::now();
    const long laidOutKb = StatusKb("VmRSS:");

    QImage first(static_cast<int>(pages.PageWidth * 96 / 25.4), static_cast<int>(pages.PageHeight * 96 / 25.4),
                 QImage::Format_RGB32);
    first.fill(Qt::white);
    {
        QPainter painter(&first);
        TReportRenderer::PaintPage(painter, pages, 0, 96 / 25.4);
    }
    auto t2 = Clock::now();

    std::filesystem::path pdf =
        std::filesystem::temp_directory_path() / ("bench_reports_" + std::to_string(getpid()) + ".pdf");
    bool written = TReportPdfWriter::Write(pages, pdf);
    auto t3 = Clock::now();
    std::error_code ec;
    const auto size = std::filesystem::file_size(pdf, ec);

    std::printf("error lines            %ld\n", errors);
    std::printf("pages                  %zu\n", pages.Pages.size());
    std::printf("layout, both passes    %.3f s\n", Seconds(t1 - t0));
    std::printf("first page painted     %.3f s\n", Seconds(t2 - t1));
    std::printf("PDF written            %.3f s (%s, %.1f MB)\n", Seconds(t3 - t2), written ? "ok" : "FAILED",
                static_cast<double>(ec ? 0 : size) / 1e6);
    std::printf("memory: input %ld kB, after layout %ld kB, peak %ld kB\n", baseKb, laidOutKb, StatusKb("VmHWM:"));
    if (keep)
        std::printf("kept %s\n", pdf.c_str());
    else
        std::filesystem::remove(pdf, ec);
    if (!runtime.empty())
        std::filesystem::remove_all(runtime, ec);
    return written ? 0 : 1;
}
