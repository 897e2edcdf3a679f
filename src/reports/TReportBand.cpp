#include "reports/TReportBand.h"

#include <utility>

namespace ndlemo {

TReportBand::TReportBand(TReportBandType type, std::string name, double height)
    : Type(type), Name(std::move(name)), Height(height) {}

TReportItem& TReportBand::Add(TReportItem item) {
    Items.push_back(std::move(item));
    return Items.back();
}

} // namespace ndlemo
