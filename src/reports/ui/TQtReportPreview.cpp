#include "reports/ui/TQtReportPreview.h"

#include "reports/ui/TfrmNahled.h"

namespace ndlemo {

void TQtReportPreview::Show(const TReportDocument& document) {
    TfrmNahled window(document, m_Parent);
    window.exec();
}

} // namespace ndlemo
