#pragma once

class QWidget;

namespace ndlemo {

// A field that refuses what it holds when it is left shows its message and takes the focus back. Meanwhile
// the control that was about to get the focus loses it again without having been entered, and must not
// check itself then: two refusing fields would otherwise throw the focus and their messages back and forth.
// A field holds one of these while it refuses; every validated field asks InProgress before it checks.
class TEntryRefusal {
public:
    TEntryRefusal() { ++Depth(); }
    ~TEntryRefusal() { --Depth(); }
    TEntryRefusal(const TEntryRefusal&) = delete;
    TEntryRefusal& operator=(const TEntryRefusal&) = delete;

    [[nodiscard]] static bool InProgress() { return Depth() > 0; }

    // Swallows the mouse press that took the focus to the target, and its release, so that a button clicked
    // away from a refused field does not act on the refused entry.
    static void SwallowClick(QWidget* target);

private:
    static int& Depth() {
        static int depth = 0;
        return depth;
    }
};

} // namespace ndlemo
