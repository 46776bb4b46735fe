// The loads the game cannot do without end the program with the display layer's message.
#include <gtest/gtest.h>

#include "framework/fatal_error.h"

TEST(Errors, MissingPictureEndsTheProgramNamingTheFile) {
    EXPECT_EXIT(requireBitmap("Images/Nowhere.bmp"), testing::ExitedWithCode(1),
                "Bitmap file was not found: Images/Nowhere.bmp");
    EXPECT_EXIT(requireFont("Nowhere.fnt"), testing::ExitedWithCode(1),
                "Couldn't find font file: Nowhere.fnt");
}
