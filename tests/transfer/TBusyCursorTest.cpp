#include "transfer/TBusyCursor.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ndlemo;

namespace {
// A stack bound to a recorded cursor that starts as the plain arrow some widget had set.
struct TBound {
    TBound() {
        Stack.Bind([this] { return Cursor; },
                   [this](TCursor c) {
                       Cursor = c;
                       Shown.push_back(c);
                   });
    }
    TBusyCursor Stack;
    TCursor Cursor = TCursor::Arrow;
    std::vector<TCursor> Shown;
};
} // namespace

TEST(TBusyCursor, APushShowsItsCursorAndThePopRestoresTheOneBefore) {
    TBound b;
    b.Stack.SetBusyCursor(1);
    EXPECT_EQ(b.Cursor, TCursor::HourGlass);
    b.Stack.SetBusyCursor(2);
    EXPECT_EQ(b.Cursor, TCursor::SQLWait);
    b.Stack.SetBusyCursor(0);
    EXPECT_EQ(b.Cursor, TCursor::HourGlass);
    b.Stack.SetBusyCursor(7); // any other mode pops too
    EXPECT_EQ(b.Cursor, TCursor::Arrow);
    EXPECT_EQ(b.Stack.Index(), 0);
}

TEST(TBusyCursor, OnePopMoreThanPushesShowsTheDefaultThenTheArrow) {
    TBound b;
    b.Stack.SetBusyCursor(1);
    b.Stack.SetBusyCursor(0);
    b.Stack.SetBusyCursor(0);
    EXPECT_EQ(b.Cursor, TCursor::Default);
    EXPECT_EQ(b.Stack.Index(), -1);
    b.Stack.SetBusyCursor(0);
    b.Stack.SetBusyCursor(0);
    EXPECT_EQ(b.Cursor, TCursor::Arrow);
    EXPECT_EQ(b.Stack.Index(), -1);
}

TEST(TBusyCursor, SixNestedPushesLoseTheFifthSavedCursor) {
    TBound b;
    for (int i = 0; i < 6; ++i)
        b.Stack.SetBusyCursor(i == 4 ? 2 : 1);
    EXPECT_EQ(b.Stack.Index(), 5);
    std::vector<TCursor> pops;
    for (int i = 0; i < 6; ++i) {
        b.Stack.SetBusyCursor(0);
        pops.push_back(b.Cursor);
    }
    // Slot 5 held the database cursor of the fifth push, overwritten by the sixth push with it; the fifth pop already
    // restores the arrow from before the first push, the sixth the default cursor of slot 0.
    EXPECT_EQ(pops, (std::vector<TCursor>{TCursor::SQLWait, TCursor::HourGlass, TCursor::HourGlass, TCursor::HourGlass,
                                          TCursor::Arrow, TCursor::Default}));
    EXPECT_EQ(b.Stack.Index(), -1);
}

TEST(TBusyCursor, WithoutBindingItKeepsTheCursorItself) {
    TBusyCursor stack;
    EXPECT_EQ(stack.Current(), TCursor::Default);
    stack.SetBusyCursor(2);
    EXPECT_EQ(stack.Current(), TCursor::SQLWait);
    stack.SetBusyCursor(0);
    EXPECT_EQ(stack.Current(), TCursor::Default);
}

TEST(TBusyCursorGuard, PopsAlsoWhenAnExceptionPasses) {
    TBusyCursor& program = TBusyCursor::Program();
    const int before = program.Index();
    try {
        TBusyCursorGuard guard;
        EXPECT_EQ(program.Current(), TCursor::HourGlass);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(program.Index(), before);
}
