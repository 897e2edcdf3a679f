#pragma once

#include "reports/TReportItem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ndlemo {

enum class TReportBandType : uint8_t {
    PageHeader,   // top of every page
    Title,        // once, on the first page below the page header
    ColumnHeader, // every page, below the page header (on the first page below the title)
    GroupHeader,  // before the first row and whenever GroupField changes
    Detail,       // once per row of the table
    GroupFooter,  // after the rows of each group
    Summary,      // once, after the last row
    PageFooter,   // bottom of every page, the last included
};

// A horizontal strip of a report page with its items; measures in millimetres.
class TReportBand {
public:
    // Runs before the band prints; setting printBand to false leaves it out this time.
    using TBeforePrint = std::function<void(bool& printBand)>;

    TReportBand(TReportBandType type, std::string name, double height);

    TReportBandType Type;
    std::string Name;
    double Height;
    // Pen widths of lines along the band's top and bottom edges; 0 for none.
    double TopLine = 0.0;
    double BottomLine = 0.0;
    // Group bands: the field of the report's table whose change ends one group and starts the next.
    std::string GroupField;
    std::vector<TReportItem> Items;
    TBeforePrint BeforePrint;

    TReportItem& Add(TReportItem item);
};

} // namespace ndlemo
