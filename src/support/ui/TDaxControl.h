#pragma once

#include <string>
#include <utility>

namespace ndlemo {

// What every validated input control carries besides its platform control: its name for messages and the
// required flag. SetControlState, CheckRequired and ValidateRequired recognise the family by this base.
class TDaxControl {
public:
    virtual ~TDaxControl() = default;

    [[nodiscard]] const std::string& DisplayName() const { return m_DisplayName; }
    void SetDisplayName(std::string name) { m_DisplayName = std::move(name); }
    [[nodiscard]] bool Required() const { return m_Required; }
    void SetRequired(bool value) { m_Required = value; }

    // Whether the control counts as not filled in (check boxes and date-time pickers never do).
    [[nodiscard]] virtual bool IsEmptyForRequired() const = 0;

private:
    std::string m_DisplayName;
    bool m_Required = false;
};

} // namespace ndlemo
