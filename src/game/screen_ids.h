// The screens outside a run by number: the values of GameState.screen.
#pragma once

enum ScreenId {
    ScreenIntro = 0,
    ScreenMainMenu = 1,
    ScreenNameEntry = 2,
    ScreenFrames = 3,      // shop pages 3 to 6
    ScreenForks = 7,       // 7 to 11
    ScreenBrakes = 12,     // 12 to 15
    ScreenComponents = 16, // 16 to 18
    ScreenProtectors = 19, // 19 helmet, 20 gloves, 21 body armour, 22 trousers
    ScreenInjury = 23,
    ScreenDefect = 24,
    ScreenCrash = 25,
    ScreenCredits = 26,
    ScreenFinish = 27,
    ScreenCount = 28,
};
