// The gamepad's push and brakes toggled: a press holds, the next lets go; out of the ride
// the button holds as ever, and a hold begun before the ride stays one until let go.
#include <gtest/gtest.h>

#include <string>

#include "platform/pad_toggle.h"

TEST(PadToggle, APressHoldsTheNextLetsGo) {
    // The controller's readings and what the game holds after each, toggling or not.
    const auto heldByGame = [](PadToggle* key, const std::string& readings, int toggling) {
        std::string out;
        for (char c : readings) out += char('0' + padToggleReading(key, c == '1', toggling));
        return out;
    };
    PadToggle key{}, carried{};
    EXPECT_EQ(heldByGame(&key, "0110001000110", 1), "0111110000111");
    EXPECT_EQ(heldByGame(&key, "0010", 0), "0010");
    EXPECT_EQ(heldByGame(&carried, "11", 0), "11");
    EXPECT_EQ(heldByGame(&carried, "1101001", 1), "1101110");
}
