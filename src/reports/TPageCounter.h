#pragma once

#include <string>

namespace ndlemo {

// The "N z M" page numbering of the two-pass reports. The first pass only counts the pages; the second
// pass, finding page 1 no longer above the count, prints every page number with the total.
class TPageCounter {
public:
    // Before the first pass.
    void ClearPageCounter();
    // Before each page footer prints, with the number of the page.
    void PageFooterBeforePrint(int pageNumber);
    // When the page number prints: "%s z %d" once the counting pass is over.
    void PageNumberPrint(std::string& text) const;

    [[nodiscard]] int PageTotal() const { return FPageTotal; }
    [[nodiscard]] bool CountingPass() const { return FCountingPass; }

private:
    int FPageTotal = 0;
    bool FCountingPass = true;
};

} // namespace ndlemo
