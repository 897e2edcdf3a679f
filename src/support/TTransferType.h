#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ndlemo {

// How packages leave the workplace: sent by SCP, or placed for the insurer's upload page.
enum class TTransferMode { Scp, Upload };

// The transfer type of the application settings, read and written as its code text ("SCP", "UPLOAD"). A
// text that is no code is kept as it was read, so that the settings check can quote it.
class TTransferType {
public:
    // The codes by index, as the settings dialog lists them.
    static constexpr std::array<std::string_view, 2> Codes = {"SCP", "UPLOAD"};

    TTransferType() : TTransferType(TTransferMode::Scp) {}
    TTransferType(TTransferMode mode) : m_Text(Codes[static_cast<size_t>(mode)]) {}
    explicit TTransferType(std::string_view text) : m_Text(text) {}

    [[nodiscard]] const std::string& Text() const { return m_Text; }
    // Index of the code, -1 when the text is none.
    [[nodiscard]] int Index() const;
    [[nodiscard]] bool IsValid() const { return Index() >= 0; }
    [[nodiscard]] bool Is(TTransferMode mode) const { return Index() == static_cast<int>(mode); }

    friend bool operator==(const TTransferType&, const TTransferType&) = default;
    friend bool operator==(const TTransferType& type, TTransferMode mode) { return type.Is(mode); }

private:
    std::string m_Text;
};

} // namespace ndlemo
