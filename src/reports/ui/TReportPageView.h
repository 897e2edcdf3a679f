#pragma once

#include <QWidget>

namespace ndlemo {

class TReportDocument;

// The pages of a laid-out report one below the other, as sheets on a grey ground. Paints only the pages
// that are exposed, so even a report of thousands of pages opens at once.
class TReportPageView : public QWidget {
    Q_OBJECT
public:
    TReportPageView(const TReportDocument& document, QWidget* parent = nullptr);

    // 1.0 shows the sheet at its size on a 96-dpi screen.
    [[nodiscard]] double Zoom() const { return m_Zoom; }
    void SetZoom(double zoom);
    [[nodiscard]] int PageCount() const;
    // Vertical position of a page's top edge in the widget (0-based page).
    [[nodiscard]] int PageTop(int page) const;
    // The page shown at a vertical position of the widget (0-based, clamped).
    [[nodiscard]] int PageAt(int y) const;
    // How many pages the last paint event painted (for the tests of the lazy painting).
    [[nodiscard]] int PagesPaintedLast() const { return m_PagesPaintedLast; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] double PxPerMm() const;
    [[nodiscard]] QSize PageSize() const;
    void UpdateSize();

    const TReportDocument& m_Document;
    double m_Zoom = 1.0;
    int m_PagesPaintedLast = 0;
};

} // namespace ndlemo
