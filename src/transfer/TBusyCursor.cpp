#include "transfer/TBusyCursor.h"

namespace ndlemo {

void TBusyCursor::SetBusyCursor(int mode) {
    if (mode == 1 || mode == 2) {
        if (m_Index < 5)
            ++m_Index;
        m_Slots[m_Index] = Current();
        Show(mode == 1 ? TCursor::HourGlass : TCursor::SQLWait);
        return;
    }
    if (m_Index >= 0) {
        Show(m_Slots[m_Index]);
        --m_Index;
    } else {
        Show(TCursor::Arrow);
    }
}

void TBusyCursor::Bind(std::function<TCursor()> current, std::function<void(TCursor)> show) {
    m_Current = std::move(current);
    m_Show = std::move(show);
}

TCursor TBusyCursor::Current() const {
    return m_Current ? m_Current() : m_Own;
}

void TBusyCursor::Show(TCursor cursor) {
    m_Own = cursor;
    if (m_Show)
        m_Show(cursor);
}

TBusyCursor& TBusyCursor::Program() {
    static TBusyCursor stack;
    return stack;
}

void SetBusyCursor(int mode) {
    TBusyCursor::Program().SetBusyCursor(mode);
}

} // namespace ndlemo
