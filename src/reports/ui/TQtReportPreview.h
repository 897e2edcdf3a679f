#pragma once

#include "reports/TReportPreview.h"

class QWidget;

namespace ndlemo {

// The program's report preview: the modal preview window over the given parent. The program installs one
// for its run (TReportPreview::Install).
class TQtReportPreview : public TReportPreview {
public:
    explicit TQtReportPreview(QWidget* parent = nullptr) : m_Parent(parent) {}
    void Show(const TReportDocument& document) override;

private:
    QWidget* m_Parent;
};

} // namespace ndlemo
