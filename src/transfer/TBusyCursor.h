#pragma once

#include <array>
#include <functional>

namespace ndlemo {

// The application-wide mouse cursors the busy stack switches between.
enum class TCursor { Default, HourGlass, SQLWait, Arrow };

// The stack of busy cursors that the send, test and HTTP operations show while they work: six saved cursors
// (slot 0 holds the default cursor and is never written by a push) and an index starting at 0. A push beyond the
// fifth overwrites slot 5; a pop below the start shows the plain arrow.
//
// Without a binding the stack keeps the current cursor itself; the window binds it to the real cursor.
class TBusyCursor {
public:
    // Mode 1 pushes and shows the hourglass, mode 2 pushes and shows the database-wait cursor, any other mode pops.
    void SetBusyCursor(int mode);

    // The application-wide cursor: how to read it and how to switch it.
    void Bind(std::function<TCursor()> current, std::function<void(TCursor)> show);
    [[nodiscard]] TCursor Current() const;
    [[nodiscard]] int Index() const { return m_Index; }

    // The stack of the program run.
    static TBusyCursor& Program();

private:
    void Show(TCursor cursor);

    std::array<TCursor, 6> m_Slots{};
    int m_Index = 0;
    TCursor m_Own = TCursor::Default;
    std::function<TCursor()> m_Current;
    std::function<void(TCursor)> m_Show;
};

// SetBusyCursor on the program's stack.
void SetBusyCursor(int mode);

// Pushes the busy cursor for its lifetime; the pop runs also when an exception passes.
class TBusyCursorGuard {
public:
    explicit TBusyCursorGuard(int mode = 1) { SetBusyCursor(mode); }
    ~TBusyCursorGuard() { SetBusyCursor(0); }
    TBusyCursorGuard(const TBusyCursorGuard&) = delete;
    TBusyCursorGuard& operator=(const TBusyCursorGuard&) = delete;
};

} // namespace ndlemo
