#pragma once

#include <QDialog>

class QLabel;
class QPrinter;
class QScrollArea;

namespace ndlemo {

class TReportDocument;
class TReportPageView;

// The preview window of a laid-out report: the pages to read and page through, and printing on any
// printer. Holds the pages only by reference while it is open.
class TfrmNahled : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNahled(const TReportDocument& document, QWidget* parent = nullptr);

    // The page at the top of the view (0-based).
    [[nodiscard]] int CurrentPage() const;
    void GoToPage(int page);
    // Prints the pages the printer's range asks for (all when it names none) at the printer's resolution.
    void PrintTo(QPrinter& printer) const;

private:
    void Print();
    void UpdatePageLabel();

    const TReportDocument& m_Document;
    TReportPageView* m_View;
    QScrollArea* m_Scroll;
    QLabel* m_PageLabel;
};

} // namespace ndlemo
