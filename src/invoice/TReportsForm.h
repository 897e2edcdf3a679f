#pragma once

#include <string>

namespace ndlemo {

// What the fields of the medical-reports tab hold.
struct TReportsForm {
    std::string ICZ;
    std::string ICO;
    std::string Poznamka;

    friend bool operator==(const TReportsForm&, const TReportsForm&) = default;
};

} // namespace ndlemo
