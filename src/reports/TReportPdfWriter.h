#pragma once

#include <filesystem>

namespace ndlemo {

class TReportDocument;

// Writes laid-out reports as PDF: one A4 page per report page, in the report's orientation.
class TReportPdfWriter {
public:
    // Creates or replaces the file. False when it cannot be created or written completely (a missing
    // folder, no permission, a full disk); a partly written file is removed. Never raises.
    [[nodiscard]] static bool Write(const TReportDocument& document, const std::filesystem::path& file) noexcept;
};

} // namespace ndlemo
