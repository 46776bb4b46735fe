#include "base/game_state.h"

#include <cstring>

GameStateBlock GameState;

void resetGameState() { std::memset(&GameState, 0, sizeof GameState); }
