#include "reports/ui/TfrmNahled.h"
#include "reports/ui/TQtReportPreview.h"
#include "reports/ui/TReportPageView.h"

#include "TestTempDir.h"
#include "reports/ReportTestSupport.h"
#include "support/ui/DialogScript.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace ndlemo {
namespace {

using test::Child;
using test::Click;

// Pages that say which they are.
TReportDocument NumberedPages(int count) {
    TReportDocument doc;
    doc.Title = "Náhled sestavy";
    doc.Fonts.push_back(Arial(12));
    for (int i = 1; i <= count; ++i) {
        TReportPage page;
        TReportElement text;
        text.Left = 20;
        text.Top = 20;
        text.Width = 40;
        text.Height = 5;
        text.Text = "Strana číslo " + std::to_string(i);
        page.Elements.push_back(text);
        doc.Pages.push_back(std::move(page));
    }
    return doc;
}

std::string PageLabel(const TfrmNahled& window) {
    QLabel* label = Child<QLabel>(window, "lblStranka");
    return label ? label->text().toStdString() : std::string();
}

TEST(TfrmNahledTest, PagesThroughTheReport) {
    const TReportDocument doc = NumberedPages(3);
    TfrmNahled window(doc);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle().toStdString(), "Náhled sestavy");
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(PageLabel(window), "Stránka 1 z 3");
    Click(window, "bbtnDalsi");
    EXPECT_EQ(PageLabel(window), "Stránka 2 z 3");
    Click(window, "bbtnPosledni");
    EXPECT_EQ(PageLabel(window), "Stránka 3 z 3");
    Click(window, "bbtnDalsi");
    EXPECT_EQ(PageLabel(window), "Stránka 3 z 3");
    Click(window, "bbtnPredchozi");
    EXPECT_EQ(PageLabel(window), "Stránka 2 z 3");
    // Zooming keeps the page in view.
    Click(window, "bbtnZvetsit");
    EXPECT_EQ(window.CurrentPage(), 1);
    Click(window, "bbtnZmensit");
    Click(window, "bbtnZmensit");
    EXPECT_EQ(window.CurrentPage(), 1);
    Click(window, "bbtnPrvni");
    EXPECT_EQ(PageLabel(window), "Stránka 1 z 3");
    Click(window, "bbtnZavrit");
    EXPECT_FALSE(window.isVisible());
}

TEST(TfrmNahledTest, OpensALongReportByPaintingOnlyThePagesInView) {
    const TReportDocument doc = NumberedPages(1500);
    TfrmNahled window(doc);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* view = Child<TReportPageView>(window, "pgvStranky");
    ASSERT_NE(view, nullptr);
    view->repaint();
    EXPECT_GE(view->PagesPaintedLast(), 1);
    EXPECT_LE(view->PagesPaintedLast(), 2);
    window.GoToPage(1499);
    view->repaint();
    EXPECT_EQ(PageLabel(window), "Stránka 1500 z 1500");
    EXPECT_LE(view->PagesPaintedLast(), 2);
}

// One row per page range the printer may ask for.
TEST(TfrmNahledTest, PrintsThePagesOfThePrintersRange) {
    const TReportDocument doc = NumberedPages(3);
    TfrmNahled window(doc);
    struct TRow {
        int From;
        int To;
        const char* Expected;
        const char* Absent;
    };
    const TRow rows[] = {
        {0, 0, "Strana číslo 1\n\fStrana číslo 2\n\fStrana číslo 3", ""},
        {2, 3, "Strana číslo 2\n\fStrana číslo 3", "Strana číslo 1"},
        {2, 2, "Strana číslo 2", "Strana číslo 3"},
    };
    for (const TRow& row : rows) {
        test::TTestTempDir dir("preview");
        const std::filesystem::path pdf = dir.Path() / "tisk.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setFullPage(true);
        if (row.From > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(row.From, row.To);
        }
        window.PrintTo(printer);
        const std::string text = test::PdfText(pdf);
        EXPECT_NE(text.find(row.Expected), std::string::npos) << row.From << "-" << row.To << ": " << text;
        if (*row.Absent) {
            EXPECT_EQ(text.find(row.Absent), std::string::npos) << row.From << "-" << row.To;
        }
    }
}

TEST(TfrmNahledTest, TheProgramsPreviewIsModalAndReturnsWhenClosed) {
    const TReportDocument doc = NumberedPages(2);
    TQtReportPreview preview;
    std::string shownTitle;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shownTitle = modal->windowTitle().toStdString();
        Click(*modal, "bbtnZavrit");
    });
    preview.Show(doc);
    EXPECT_EQ(shownTitle, "Náhled sestavy");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace ndlemo
