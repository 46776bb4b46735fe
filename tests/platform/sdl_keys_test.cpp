// The window's keys: SDL key positions become the PC set-1 scan codes the game uses,
// and each key gives its German-layout character.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include "base/keyboard_layout.h"
#include "platform/sdl_keys.h"

TEST(SdlKeys, EveryKeyTheGameUsesHasItsSetOneCode) {
    struct Pair {
        SDL_Scancode sdl;
        int set1;
    };
    const Pair pairs[] = {
        {SDL_SCANCODE_ESCAPE, 1},   {SDL_SCANCODE_Q, 16},       {SDL_SCANCODE_T, 20},
        {SDL_SCANCODE_Y, 21},       {SDL_SCANCODE_P, 25},       {SDL_SCANCODE_LEFTBRACKET, 26},
        {SDL_SCANCODE_RETURN, 28},  {SDL_SCANCODE_KP_ENTER, 28}, {SDL_SCANCODE_LCTRL, 29},
        {SDL_SCANCODE_RCTRL, 29},   {SDL_SCANCODE_A, 30},       {SDL_SCANCODE_S, 31},
        {SDL_SCANCODE_L, 38},       {SDL_SCANCODE_SEMICOLON, 39}, {SDL_SCANCODE_APOSTROPHE, 40},
        {SDL_SCANCODE_Z, 44},       {SDL_SCANCODE_C, 46},       {SDL_SCANCODE_M, 50},
        {SDL_SCANCODE_LALT, 56},    {SDL_SCANCODE_RALT, 56},    {SDL_SCANCODE_SPACE, 57},
        {SDL_SCANCODE_UP, 72},      {SDL_SCANCODE_LEFT, 75},    {SDL_SCANCODE_RIGHT, 77},
        {SDL_SCANCODE_DOWN, 80},    {SDL_SCANCODE_F1, 59},      {SDL_SCANCODE_F12, 88},
    };
    for (const Pair& p : pairs) EXPECT_EQ(set1ScanCode(p.sdl), p.set1) << "SDL scancode " << int(p.sdl);
    EXPECT_EQ(set1ScanCode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(set1ScanCode(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(SdlKeys, GermanLayoutCharactersByPosition) {
    EXPECT_EQ(germanCharacterOf(21), 'z');   // the key right of T
    EXPECT_EQ(germanCharacterOf(44), 'y');   // the key left of X
    EXPECT_EQ(germanCharacterOf(26), 0xFC);  // ü
    EXPECT_EQ(germanCharacterOf(39), 0xF6);  // ö
    EXPECT_EQ(germanCharacterOf(40), 0xE4);  // ä
    EXPECT_EQ(germanCharacterOf(28), 13);
    EXPECT_EQ(germanCharacterOf(57), ' ');
    EXPECT_EQ(germanCharacterOf(72), 0);     // arrows give no character
    EXPECT_EQ(germanCharacterOf(-1), 0);
    EXPECT_EQ(germanCharacterOf(300), 0);
}
