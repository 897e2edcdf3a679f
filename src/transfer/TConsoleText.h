#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// The text of a console, fed with a tool's output bytes as they come: a line feed starts a new line, a carriage
// return sends the next characters to the start of the line (so a progress meter redraws its line), and other
// control characters but the tab are dropped. The last line is the one being written; it may be empty.
class TConsoleText {
public:
    void Append(std::string_view bytes);

    [[nodiscard]] const std::vector<std::string>& Lines() const { return m_Lines; }
    // The first line changed since the last TakeChanges; lines from there on must be shown anew.
    [[nodiscard]] size_t FirstChanged() const { return m_FirstChanged; }
    void TakeChanges() { m_FirstChanged = m_Lines.size() - 1; }

private:
    std::vector<std::string> m_Lines{std::string()};
    bool m_ReturnPending = false;
    size_t m_FirstChanged = 0;
};

} // namespace ndlemo
