#pragma once

#include "support/TClock.h"
#include "support/TFormatSettings.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace ndlemo::test {

// Shows a window and makes it the active one, so that focus changes deliver their events.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Czech regional settings and a fixed "today" for the time of a test.
class TFixedRegion {
public:
    explicit TFixedRegion(TDateTime now) {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(now);
    }
    ~TFixedRegion() {
        TClock::SetNow(std::nullopt);
        TFormatSettings::Set(TFormatSettings{});
    }
    TFixedRegion(const TFixedRegion&) = delete;
    TFixedRegion& operator=(const TFixedRegion&) = delete;
};

} // namespace ndlemo::test
