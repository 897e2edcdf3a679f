#include "reports/TReportLayout.h"

#include "reports/TReport.h"
#include "reports/TReportMetrics.h"
#include "support/TFormatSettings.h"
#include "support/TQsStreamDataSet.h"

#include <QString>

#include <algorithm>
#include <iterator>
#include <utility>

namespace ndlemo {

namespace {
// Below a hundredth of a millimetre two positions are the same.
constexpr double Eps = 0.01;
} // namespace

TReportLayout::TReportLayout(TReport& report, TReportMetrics& metrics) : m_Report(report), m_Metrics(metrics) {
    for (TReportBand& band : report.Bands()) {
        switch (band.Type) {
        case TReportBandType::PageHeader:
            m_PageHeader = &band;
            break;
        case TReportBandType::Title:
            m_Title = &band;
            break;
        case TReportBandType::ColumnHeader:
            m_ColumnHeader = &band;
            break;
        case TReportBandType::Detail:
            m_Detail = &band;
            break;
        case TReportBandType::Summary:
            m_Summary = &band;
            break;
        case TReportBandType::PageFooter:
            m_PageFooter = &band;
            break;
        case TReportBandType::GroupHeader:
        case TReportBandType::GroupFooter: {
            auto at = std::find(m_GroupFields.begin(), m_GroupFields.end(), band.GroupField);
            size_t index = static_cast<size_t>(at - m_GroupFields.begin());
            if (at == m_GroupFields.end()) {
                m_GroupFields.push_back(band.GroupField);
                m_GroupHeaders.push_back(nullptr);
                m_GroupFooters.push_back(nullptr);
            }
            (band.Type == TReportBandType::GroupHeader ? m_GroupHeaders : m_GroupFooters)[index] = &band;
            break;
        }
        }
    }
}

TReportDocument TReportLayout::Run() {
    m_Doc.Title = m_Report.Title;
    m_Doc.Landscape = m_Report.Landscape;
    m_Doc.PageWidth = m_Report.PageWidth();
    m_Doc.PageHeight = m_Report.PageHeight();
    if (m_Report.BeforePrint)
        m_Report.BeforePrint();

    StartPage(true);
    if (TQsStreamDataSet* table = m_Report.DataSet) {
        std::vector<std::string> values(m_GroupFields.size());
        bool anyRow = false;
        for (table->First(); !table->Eof(); table->Next()) {
            // The outermost group whose value changed; every group inside it changes with it.
            size_t changed = m_GroupFields.size();
            for (size_t g = 0; g < m_GroupFields.size(); ++g) {
                std::string value = table->FieldByName(m_GroupFields[g]).AsString();
                if (changed == m_GroupFields.size() && (!anyRow || value != values[g]))
                    changed = g;
                values[g] = std::move(value);
            }
            if (anyRow)
                PrintGroupBands(m_GroupFooters, changed, true);
            PrintGroupBands(m_GroupHeaders, changed, false);
            anyRow = true;
            PrintBand(m_Detail);
        }
        if (anyRow)
            PrintGroupBands(m_GroupFooters, 0, true);
    }
    PrintBand(m_Summary);
    FinishPage();
    m_Report.m_PageNumber = 0;
    return std::move(m_Doc);
}

void TReportLayout::PrintGroupBands(const std::vector<TReportBand*>& bands, size_t from, bool reverse) {
    // Footers close the inner groups first, headers open the outer groups first.
    for (size_t i = from; i < bands.size(); ++i)
        PrintBand(bands[reverse ? bands.size() - 1 - (i - from) : i]);
}

void TReportLayout::StartPage(bool first) {
    m_Doc.Pages.emplace_back();
    m_PageNumber = static_cast<int>(m_Doc.Pages.size());
    m_Report.m_PageNumber = m_PageNumber;
    m_Y = m_Report.MarginTop;
    m_Y += PrintFixed(m_PageHeader, m_Y);
    if (first)
        m_Y += PrintFixed(m_Title, m_Y);
    m_Y += PrintFixed(m_ColumnHeader, m_Y);
    m_BodyTop = m_Y;
}

void TReportLayout::FinishPage() {
    if (m_PageFooter)
        (void)PrintFixed(m_PageFooter, m_Report.PageHeight() - m_Report.MarginBottom - m_PageFooter->Height);
    std::vector<TPiece> pieces;
    for (TReportItem& item : m_Report.PageItems)
        AddItem(pieces, item, 0.0);
    for (TPiece& piece : pieces)
        Emit(piece, 0.0, 0.0);
}

void TReportLayout::NewPage() {
    FinishPage();
    StartPage(false);
}

double TReportLayout::BodyBottom() const {
    return m_Report.PageHeight() - m_Report.MarginBottom - (m_PageFooter ? m_PageFooter->Height : 0.0);
}

bool TReportLayout::RunBeforePrint(TReportBand& band) {
    bool print = true;
    if (band.BeforePrint)
        band.BeforePrint(print);
    return print;
}

double TReportLayout::PrintFixed(TReportBand* band, double top) {
    if (!band || !RunBeforePrint(*band))
        return 0.0;
    TBandContent content = Build(*band);
    for (TPiece& piece : content.Pieces)
        Emit(piece, m_Report.MarginLeft, top);
    return content.Height;
}

void TReportLayout::PrintBand(TReportBand* band) {
    if (!band || !RunBeforePrint(*band))
        return;
    TBandContent content = Build(*band);
    Place(content);
}

void TReportLayout::Place(TBandContent& content) {
    const double limit = BodyBottom();
    const double left = m_Report.MarginLeft;
    if (m_Y + content.Height <= limit + Eps || !content.Flows) {
        // A band that does not fit starts the next page; on a page of its own it prints even when it is
        // too tall, so that the layout always moves on.
        if (m_Y + content.Height > limit + Eps && m_Y > m_BodyTop + Eps)
            NewPage();
        for (TPiece& piece : content.Pieces)
            Emit(piece, left, m_Y);
        m_Y += content.Height;
        return;
    }
    // A flowing band: as many of its pieces as fit go on this page, the rest on the following pages.
    std::stable_sort(content.Pieces.begin(), content.Pieces.end(),
                     [](const TPiece& a, const TPiece& b) { return a.Top < b.Top; });
    double base = m_Y;       // page position of the band position chunkStart
    double chunkStart = 0.0; // band position at the top of this page's part
    bool placedHere = false;
    for (TPiece& piece : content.Pieces) {
        bool fits = base + (piece.Bottom - chunkStart) <= limit + Eps;
        // At least one piece goes on every new page, however tall: the band always advances.
        if (!fits && (placedHere || base > m_BodyTop + Eps)) {
            NewPage();
            base = m_Y;
            chunkStart = piece.Top;
            placedHere = false;
        }
        Emit(piece, left, base - chunkStart);
        placedHere = true;
    }
    m_Y = base + (content.Height - chunkStart);
}

void TReportLayout::Emit(TPiece& piece, double left, double top) {
    TReportElement& e = piece.Element;
    e.Left += left;
    e.Top += top;
    m_Doc.Pages.back().Elements.push_back(std::move(e));
}

TReportLayout::TBandContent TReportLayout::Build(TReportBand& band) {
    TBandContent content;
    content.Height = band.Height;
    // A stretching memo pushes everything below its designed box down by what it grew; its lines are
    // wrapped first to know by how much, then every item is added in its order.
    std::vector<std::vector<TPiece>> memos(band.Items.size());
    double growth = 0.0, growFrom = 0.0;
    for (size_t i = 0; i < band.Items.size(); ++i) {
        TReportItem& item = band.Items[i];
        if (item.Kind != TReportItemKind::Memo || !item.Stretch)
            continue;
        AddItem(memos[i], item, 0.0);
        double used = memos[i].empty() ? 0.0 : memos[i].back().Bottom - item.Top;
        if (used - item.Height > growth) {
            growth = used - item.Height;
            growFrom = item.Top + item.Height;
        }
    }
    for (size_t i = 0; i < band.Items.size(); ++i) {
        TReportItem& item = band.Items[i];
        if (item.Kind == TReportItemKind::Memo && item.Stretch)
            std::move(memos[i].begin(), memos[i].end(), std::back_inserter(content.Pieces));
        else
            AddItem(content.Pieces, item, growth > 0.0 && item.Top >= growFrom - Eps ? growth : 0.0);
    }
    if (growth > Eps) {
        content.Height += growth;
        content.Flows = true;
    }
    const double width = m_Report.PageWidth() - m_Report.MarginLeft - m_Report.MarginRight;
    auto frameLine = [&](double pen, double y) {
        TReportElement e;
        e.Kind = TReportElementKind::Line;
        e.Top = y;
        e.Width = width;
        e.PenWidth = pen;
        content.Pieces.push_back({std::move(e), y, y});
    };
    if (band.TopLine > 0.0)
        frameLine(band.TopLine, band.TopLine / 2);
    if (band.BottomLine > 0.0)
        frameLine(band.BottomLine, content.Height - band.BottomLine / 2);
    return content;
}

void TReportLayout::AddItem(std::vector<TPiece>& pieces, TReportItem& item, double shift) {
    if (!item.Enabled)
        return;
    const double top = item.Top + shift;
    switch (item.Kind) {
    case TReportItemKind::Label:
        AddText(pieces, item, item.Caption, top);
        break;
    case TReportItemKind::DataField:
        AddText(pieces, item, FieldText(item), top);
        break;
    case TReportItemKind::PageNumber:
        AddText(pieces, item, std::to_string(m_PageNumber), top);
        break;
    case TReportItemKind::Memo: {
        const double lineHeight = m_Metrics.LineHeight(item.Font);
        const uint16_t font = m_Doc.FontIndex(item.Font);
        // A memo that does not stretch prints only the lines that fit its box whole.
        const size_t room = item.Stretch ? SIZE_MAX : static_cast<size_t>((item.Height + Eps) / lineHeight);
        size_t count = 0;
        for (const TReportMetrics::TLine& line : m_Report.WrappedLines(item, m_Metrics)) {
            if (count == room)
                break;
            TReportElement e;
            e.Font = font;
            e.Left = item.Left;
            e.Top = top + static_cast<double>(count) * lineHeight;
            e.Width = line.Width;
            e.Height = lineHeight;
            e.Text = line.Text;
            e.Item = item.Name;
            const double lineTop = e.Top;
            pieces.push_back({std::move(e), lineTop, lineTop + lineHeight});
            ++count;
        }
        break;
    }
    case TReportItemKind::Line: {
        TReportElement e;
        e.Kind = TReportElementKind::Line;
        e.Left = item.Left;
        e.Top = top + item.PenWidth / 2;
        e.Width = item.Width;
        e.PenWidth = item.PenWidth;
        e.Item = item.Name;
        pieces.push_back({std::move(e), top, top + item.PenWidth});
        break;
    }
    case TReportItemKind::Picture: {
        if (item.Image.isNull())
            break;
        TReportElement e;
        e.Kind = TReportElementKind::Picture;
        e.Picture = m_Doc.PictureIndex(item.Image);
        e.Left = item.Left;
        e.Top = top;
        e.Width = item.Width;
        e.Height = item.Height;
        e.Item = item.Name;
        pieces.push_back({std::move(e), top, top + item.Height});
        break;
    }
    }
}

void TReportLayout::AddText(std::vector<TPiece>& pieces, const TReportItem& item, std::string text, double top) {
    if (item.OnPrint)
        item.OnPrint(text);
    if (text.empty())
        return;
    QString qtext = QString::fromStdString(text);
    if (!item.AutoSize) {
        QString fitting = m_Metrics.FittingPrefix(item.Font, qtext, item.Width);
        if (fitting.size() != qtext.size()) {
            qtext = std::move(fitting);
            text = qtext.toStdString();
        }
    }
    TReportElement e;
    e.Font = m_Doc.FontIndex(item.Font);
    e.Width = m_Metrics.TextWidth(item.Font, qtext);
    e.Height = m_Metrics.LineHeight(item.Font);
    e.Left = item.Left;
    if (!item.AutoSize && item.Alignment == TReportAlignment::Right)
        e.Left = item.Left + item.Width - e.Width;
    else if (!item.AutoSize && item.Alignment == TReportAlignment::Center)
        e.Left = item.Left + (item.Width - e.Width) / 2;
    e.Top = top;
    e.Text = std::move(text);
    e.Item = item.Name;
    const double bottom = top + e.Height;
    pieces.push_back({std::move(e), top, bottom});
}

std::string TReportLayout::FieldText(const TReportItem& item) {
    if (!m_Report.DataSet)
        return {};
    TQsField field = m_Report.DataSet->FieldByName(item.FieldName);
    if (field.IsNull())
        return {};
    const TFormatSettings& formats = TFormatSettings::Current();
    switch (field.DataType()) {
    case TQsFieldType::ftDate:
        return formats.FormatDate(field.AsDate());
    case TQsFieldType::ftDateTime:
        return formats.FormatShortDateLongTime(field.AsDateTime());
    case TQsFieldType::ftSmallint:
    case TQsFieldType::ftInteger:
    case TQsFieldType::ftWord:
    case TQsFieldType::ftAutoInc:
        return std::to_string(field.AsInteger());
    default:
        return field.AsString();
    }
}

} // namespace ndlemo
