// The gamepad's push and brakes toggled: a press holds, the next lets go, and out of the
// ride the button holds as ever (a hold begun before stays a hold until let go).
#include <gtest/gtest.h>

#include <string>

#include "platform/pad_toggle.h"

namespace {

// The controller's readings ("1" held, "0" up) and what the game holds after each.
std::string heldByGame(PadToggle* key, const std::string& readings, int toggling) {
    std::string out;
    for (char c : readings) out += char('0' + padToggleReading(key, c == '1', toggling));
    return out;
}

}  // namespace

TEST(PadToggle, APressHoldsTheNextLetsGo) {
    PadToggle key{};
    EXPECT_EQ(heldByGame(&key, "0110001000110", 1), "0111110000111");
    // Out of the ride the latch goes at once and the button is itself again.
    EXPECT_EQ(heldByGame(&key, "0010", 0), "0010");
    // A hold begun before the ride stays a hold until let go; then presses toggle.
    PadToggle carried{};
    EXPECT_EQ(heldByGame(&carried, "11", 0), "11");
    EXPECT_EQ(heldByGame(&carried, "1101001", 1), "1101110");
}
