#include "transfer/ui/QtBusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace ndlemo;

namespace {
// The application's override cursor, or -1 when there is none.
int Override() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? static_cast<int>(cursor->shape()) : -1;
}
} // namespace

TEST(BindBusyCursorToQt, PushesSetTheOverrideCursorAndPopsRestoreIt) {
    TBusyCursor stack;
    BindBusyCursorToQt(stack);
    ASSERT_EQ(Override(), -1);
    stack.SetBusyCursor(1);
    EXPECT_EQ(Override(), Qt::WaitCursor);
    stack.SetBusyCursor(2);
    EXPECT_EQ(Override(), Qt::BusyCursor);
    stack.SetBusyCursor(0);
    EXPECT_EQ(Override(), Qt::WaitCursor);
    stack.SetBusyCursor(0);
    // Back to no override at all: every widget shows its own cursor again.
    EXPECT_EQ(Override(), -1);
    stack.SetBusyCursor(0);
    EXPECT_EQ(Override(), -1);
    stack.SetBusyCursor(0);
    EXPECT_EQ(Override(), Qt::ArrowCursor);
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
