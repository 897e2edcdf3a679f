#include "reports/PageFooterBand.h"

#include "reports/TReport.h"

#include <utility>

namespace ndlemo {

TReportBand& AddPageFooterBand(TReport& report, bool boldCaptions, TReportBand::TBeforePrint beforePrint,
                               TReportItem::TPrintHook pageNumberPrint) {
    using I = TReportItem;
    const TReportFont tiny = Arial(7), caption = Arial(7, boldCaptions);
    TReportBand& footer = report.AddBand(TReportBandType::PageFooter, "qrbndPageFooter", 11.6);
    footer.TopLine = PxToMm(1);
    footer.BeforePrint = std::move(beforePrint);
    footer.Add(I::MakeLabel("qrlblVerzeNadpis", 2.1, 1.6, "Verze programu:", caption));
    footer.Add(I::MakeLabel("qrlblVerze", 22.5, 1.6, "", tiny));
    footer.Add(I::MakeLabel("qrlblUzivatelNadpis", 2.1, 5.8, "Uživatel:", caption));
    footer.Add(I::MakeLabel("qrlblUzivatel", 22.2, 5.8, "", tiny));
    footer.Add(I::MakeLabel("qrlblDatumNadpis", 164.0, 1.6, "Datum:", caption));
    footer.Add(I::MakeLabel("qrlblDatum", 174.6, 1.6, "", tiny));
    footer.Add(I::MakeLabel("qrlblStranka", 164.0, 5.8, "Stránka:", caption));
    footer.Add(I::MakePageNumber("qrsysStranka", 174.6, 5.8, tiny)).OnPrint = std::move(pageNumberPrint);
    return footer;
}

} // namespace ndlemo
