// The window's first scale on common desktops, and where whole multiples give way to a
// fitted picture.
#include <gtest/gtest.h>

#include "platform/window_scale.h"

TEST(WindowScale, LargestWholeMultipleThatFitsWithItsFrame) {
    struct Desktop {
        int width, height, scale;
    };
    const Desktop desktops[] = {
        {1024, 768, 1}, {1366, 768, 1}, {1920, 1080, 2}, {2560, 1440, 2}, {3840, 2160, 4},
        // A 1920 x 1080 desktop with a 40-pixel panel still takes 2x; 960 lines do not.
        {1920, 1040, 2}, {1280, 960, 1}, {800, 600, 1}, {320, 200, 1},
    };
    for (const Desktop& d : desktops)
        EXPECT_EQ(chooseWindowScale(d.width, d.height, 640, 480), d.scale) << d.width << " x " << d.height;
}

TEST(WindowScale, WholeMultiplesDownToOneTimesThenFitted) {
    EXPECT_EQ(wholeMultipleFits(640, 480, 640, 480), 1);
    EXPECT_EQ(wholeMultipleFits(1919, 1080, 640, 480), 1);
    EXPECT_EQ(wholeMultipleFits(639, 480, 640, 480), 0);
    EXPECT_EQ(wholeMultipleFits(1000, 479, 640, 480), 0);
}
