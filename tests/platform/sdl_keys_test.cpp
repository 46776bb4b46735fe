// The window's keys: SDL key positions become the PC set-1 scan codes the game uses,
// and each key gives its German-layout character.
#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include "base/keyboard_layout.h"
#include "base/scan_codes.h"
#include "platform/sdl_keys.h"

TEST(SdlKeys, EveryKeyTheGameUsesHasItsSetOneCode) {
    struct Pair {
        SDL_Scancode sdl;
        int set1;
    };
    const Pair pairs[] = {
        {SDL_SCANCODE_ESCAPE, ScanEsc},   {SDL_SCANCODE_Q, ScanQ},       {SDL_SCANCODE_T, ScanT},
        {SDL_SCANCODE_Y, ScanY},       {SDL_SCANCODE_P, ScanP},       {SDL_SCANCODE_LEFTBRACKET, ScanLeftBracket},
        {SDL_SCANCODE_RETURN, ScanEnter},  {SDL_SCANCODE_KP_ENTER, ScanEnter}, {SDL_SCANCODE_LCTRL, ScanCtrl},
        {SDL_SCANCODE_RCTRL, ScanCtrl},   {SDL_SCANCODE_A, ScanA},       {SDL_SCANCODE_S, ScanS},
        {SDL_SCANCODE_L, ScanL},       {SDL_SCANCODE_SEMICOLON, ScanSemicolon}, {SDL_SCANCODE_APOSTROPHE, ScanApostrophe},
        {SDL_SCANCODE_Z, ScanZ},       {SDL_SCANCODE_C, ScanC},       {SDL_SCANCODE_M, ScanM},
        {SDL_SCANCODE_LALT, ScanAlt},    {SDL_SCANCODE_RALT, ScanAlt},    {SDL_SCANCODE_SPACE, ScanSpace},
        {SDL_SCANCODE_UP, ScanUp},      {SDL_SCANCODE_LEFT, ScanLeft},    {SDL_SCANCODE_RIGHT, ScanRight},
        {SDL_SCANCODE_DOWN, ScanDown},    {SDL_SCANCODE_F1, ScanF1},      {SDL_SCANCODE_F12, ScanF12},
    };
    for (const Pair& p : pairs) EXPECT_EQ(set1ScanCode(p.sdl), p.set1) << "SDL scancode " << int(p.sdl);
    EXPECT_EQ(set1ScanCode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(set1ScanCode(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(SdlKeys, GermanLayoutCharactersByPosition) {
    EXPECT_EQ(germanCharacterOf(ScanY), 'z');   // the key right of T
    EXPECT_EQ(germanCharacterOf(ScanZ), 'y');   // the key left of X
    EXPECT_EQ(germanCharacterOf(ScanLeftBracket), 0xFC);  // ü
    EXPECT_EQ(germanCharacterOf(ScanSemicolon), 0xF6);  // ö
    EXPECT_EQ(germanCharacterOf(ScanApostrophe), 0xE4);  // ä
    EXPECT_EQ(germanCharacterOf(ScanEnter), 13);
    EXPECT_EQ(germanCharacterOf(ScanSpace), ' ');
    EXPECT_EQ(germanCharacterOf(ScanUp), 0);     // arrows give no character
    EXPECT_EQ(germanCharacterOf(-1), 0);
    EXPECT_EQ(germanCharacterOf(300), 0);
}
