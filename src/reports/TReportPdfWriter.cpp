#include "reports/TReportPdfWriter.h"

#include "reports/TReportDocument.h"
#include "reports/TReportRenderer.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <system_error>

namespace ndlemo {

namespace {
bool WriteTo(const TReportDocument& document, QFile& file) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("NdLemo"));
        writer.setTitle(QString::fromStdString(document.Title));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         document.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        const double pxPerMm = writer.resolution() / 25.4;
        for (size_t page = 0; page < document.Pages.size(); ++page) {
            if (page > 0 && !writer.newPage())
                return false;
            TReportRenderer::PaintPage(painter, document, page, pxPerMm);
        }
        if (!painter.end())
            return false;
    }
    // Write failures (a full disk) show only in the device's error state.
    return file.flush() && file.error() == QFileDevice::NoError;
}
} // namespace

bool TReportPdfWriter::Write(const TReportDocument& document, const std::filesystem::path& file) noexcept {
    try {
        QFile out(QString::fromStdString(file.string()));
        bool written = WriteTo(document, out);
        const bool opened = out.isOpen();
        out.close();
        written = written && out.error() == QFileDevice::NoError;
        // Only what this call truncated and began to write is removed, never a file it could not open.
        std::error_code ec;
        if (!written && opened && std::filesystem::is_regular_file(file, ec))
            std::filesystem::remove(file, ec);
        return written;
    } catch (...) {
        return false;
    }
}

} // namespace ndlemo
