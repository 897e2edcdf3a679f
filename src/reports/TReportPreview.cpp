#include "reports/TReportPreview.h"

namespace ndlemo {

namespace {
TReportPreview*& Installed() {
    static TReportPreview* installed = nullptr;
    return installed;
}
} // namespace

TReportPreview* TReportPreview::Current() {
    return Installed();
}

void TReportPreview::Install(TReportPreview* preview) {
    Installed() = preview;
}

void ShowReportPreview(const TReportDocument& document) {
    if (TReportPreview* preview = Installed())
        preview->Show(document);
}

} // namespace ndlemo
