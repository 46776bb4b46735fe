// Helpers of the meta-game tests: key presses as the framework delivers them and a
// clean game state.
#pragma once

#include <initializer_list>

#include "base/game_state.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"

inline void pressKey(int scanCode) {
    InputEvent event{};
    event.type = KeyDown;
    event.message = unsigned(scanCode) << 8;
    onKeyDown(&event);
}

inline void pressKeys(std::initializer_list<int> scanCodes) {
    for (int scanCode : scanCodes) pressKey(scanCode);
}

inline void resetMetaGame() {
    resetGameState();
    resetRider();
    for (int32_t& entry : DamageTable) entry = 0;
}
