// "Vytvořit soubor" (Odeslat in upload mode) pressed in the real window: the check report, the question, the
// package placed and archived, the report with the result, the invoice printout, a new invoice, and the upload
// dialog after the run with the package just placed.

#include "StartedWindow.h"

#include "TestData.h"
#include "reports/ReportTestSupport.h"
#include "reports/TReportCapture.h"
#include "reports/TReportDocument.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDaxEdit.h"
#include "support/ui/TMaskDateEdit.h"
#include "transfer/ui/TfrmDlgUploadLemo.h"

#include <QApplication>
#include <QTimer>

using namespace ndlemo;
using namespace ndlemo::test;
namespace fs = std::filesystem;

namespace {
class OdeslatTest : public TStartedWindow {
protected:
    // The customer of the invoice printout too.
    std::string Ini() const override {
        std::string ini = InstallationIni(m_Temp.Path());
        const std::string last = "DefaultDodObec=Praha\r\n";
        return ini.replace(ini.find(last), last.size(),
                           last + "DefaultOdbICO=47114983\r\nDefaultOdbNazev=Lemo\r\nDefaultOdbUlice=Hlavní 1\r\n"
                                  "DefaultOdbPsc=13000\r\nDefaultOdbObec=Praha\r\n");
    }
};
} // namespace

TEST_F(OdeslatTest, APlacedInvoiceShowsItsReportsAStartsANewInvoiceAndOpensTheUploadDialog) {
    // The prefills of the settings; the user types the number, the issue date, the receipt date and VS.
    Type("cedtCisFaktury", "41");
    Type("edtDatVystaveni", "01032024");
    Type("edtDatPrijeti", "15032024");
    Type("cedtVS", "41");
    m_Chooser.Answers = {fs::path(NDLEMO_TEST_DATA_DIR) / "check" / "clean.txt"};
    Press(TActionId::acPridatSouborPrijmu);
    ASSERT_EQ(m_Dtm.qssPRS.RecordCount(), 1);

    TReportCapture capture;
    m_Boxes.Answers = {true};
    std::string dialogFile;
    bool busyWhileDialog = true;
    QTimer::singleShot(0, &m_Window, [&] {
        // After the previews (captured, not shown), the upload dialog is the first modal window.
        auto* dialog = qobject_cast<TfrmDlgUploadLemo*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogFile = Child<TDaxEdit>(*dialog, "cedtFileName")->Text();
        busyWhileDialog = m_Controller.Busy;
        Click(*dialog, "bbtnZpet");
    });
    Press(TActionId::acOdeslat);

    const std::string name = "LM01_12345678_87654321_2024_xxxxxxxx41_20240315";
    const fs::path placed = m_Temp.Path() / "upload" / (name + ".zip");
    EXPECT_TRUE(fs::exists(placed));
    EXPECT_TRUE(fs::exists(m_Temp.Path() / "odeslane" / "2024" / "03" / (name + ".zip")));
    EXPECT_TRUE(fs::exists(m_Temp.Path() / "odeslane" / "2024" / "03" / (name + ".pdf")))
        << "the settings tick Generovat fakturu: the printout is filed as PDF";
    EXPECT_EQ(dialogFile, placed.string());
    EXPECT_FALSE(busyWhileDialog);

    // The check report, the report with the result, the invoice printout.
    ASSERT_EQ(capture.Shown.size(), 3u);
    EXPECT_EQ(TextsOf(capture.Shown[0], "qrlblResult"), std::vector<std::string>{"Fakturu a dávky lze přijmout"});
    EXPECT_EQ(TextsOf(capture.Shown[1], "qrlblResult"), std::vector<std::string>{"Vytvořen soubor pro upload"});
    EXPECT_EQ(TextsOf(capture.Shown[1], "qrlblFileName"), std::vector<std::string>{placed.string()});
    ASSERT_FALSE(m_Boxes.Shown.empty());
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Vytvořit soubor pro upload ?");

    // A new invoice: no files, the number empty, today's receipt date.
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 0);
    EXPECT_EQ(Find<TDaxEdit>("cedtCisFaktury")->Text(), "");
    EXPECT_EQ(Find<TMaskDateEdit>("edtDatPrijeti")->Text(), "15.03.2024");
    EXPECT_FALSE(m_Controller.Busy);
}
