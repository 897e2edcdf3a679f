#pragma once

#include "reports/TReportDocument.h"
#include "reports/TReportPreview.h"

#include <vector>

namespace ndlemo {

// The preview for tests: keeps a copy of every report shown instead of opening a window.
// Installs itself for its lifetime (and puts back the preview that was in force before).
class TReportCapture : public TReportPreview {
public:
    TReportCapture() : m_Previous(Current()) { Install(this); }
    ~TReportCapture() override { Install(m_Previous); }
    TReportCapture(const TReportCapture&) = delete;
    TReportCapture& operator=(const TReportCapture&) = delete;

    void Show(const TReportDocument& document) override { Shown.push_back(document); }

    std::vector<TReportDocument> Shown;

private:
    TReportPreview* m_Previous;
};

} // namespace ndlemo
