#include "reports/TReportPage.h"

namespace ndlemo {

std::vector<std::string> TReportPage::Texts() const {
    std::vector<std::string> texts;
    for (const auto& e : Elements)
        if (e.Kind == TReportElementKind::Text)
            texts.push_back(e.Text);
    return texts;
}

std::vector<std::string> TReportPage::TextsOf(std::string_view item) const {
    std::vector<std::string> texts;
    for (const auto& e : Elements)
        if (e.Kind == TReportElementKind::Text && e.Item == item)
            texts.push_back(e.Text);
    return texts;
}

const TReportElement* TReportPage::Find(std::string_view item) const {
    for (const auto& e : Elements)
        if (e.Kind == TReportElementKind::Text && e.Item == item)
            return &e;
    return nullptr;
}

} // namespace ndlemo
