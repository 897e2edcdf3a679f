#include "transfer/TConsoleText.h"

#include <algorithm>

namespace ndlemo {

void TConsoleText::Append(std::string_view bytes) {
    for (char c : bytes) {
        const size_t current = m_Lines.size() - 1;
        if (c == '\n') {
            m_ReturnPending = false;
            m_Lines.emplace_back();
            m_FirstChanged = std::min(m_FirstChanged, current);
        } else if (c == '\r') {
            m_ReturnPending = true;
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            if (m_ReturnPending) {
                m_Lines.back().clear();
                m_ReturnPending = false;
            }
            m_Lines.back() += c;
            m_FirstChanged = std::min(m_FirstChanged, current);
        }
    }
}

} // namespace ndlemo
