// The window icon comes from the resource built into the program: every rendered size must be there.

#include "app/ui/TNdLemoApplication.h"

#include <QImage>
#include <QSize>

#include <gtest/gtest.h>

namespace {

TEST(ProgramIcon, HoldsEverySizeFromSixteenToTwoHundredFiftySix) {
    const QIcon icon = ndlemo::ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side << "x" << side;
}

TEST(ProgramIcon, IsDrawnNotBlank) {
    const QImage image = ndlemo::ProgramIcon().pixmap(QSize(48, 48)).toImage();
    ASSERT_EQ(image.size(), QSize(48, 48));
    // The corners are transparent (rounded background), the middle is the white sheet.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixelColor(20, 30).alpha(), 255);
}

} // namespace
