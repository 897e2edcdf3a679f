#pragma once

#include <string>

namespace ndlemo {

// A font of a report item: Arial (Liberation Sans where Arial is missing) unless told otherwise.
struct TReportFont {
    std::string Family = "Arial";
    double PointSize = 10.0;
    bool Bold = false;
    bool Italic = false;

    friend bool operator==(const TReportFont&, const TReportFont&) = default;
};

[[nodiscard]] inline TReportFont Arial(double pointSize, bool bold = false) {
    return TReportFont{"Arial", pointSize, bold, false};
}

// Millimetres from pixels of a 96-dpi screen, the unit in which some layouts are given.
[[nodiscard]] constexpr double PxToMm(double px) {
    return px * 25.4 / 96.0;
}

} // namespace ndlemo
