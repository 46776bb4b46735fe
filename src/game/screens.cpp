#include "game/screens.h"

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "display/display.h"
#include "framework/fatal_error.h"
#include "framework/framework.h"
#include "game/shop.h"
#include "lang/translation.h"
#include "profile/rider_profile.h"
#include "race/damage_table.h"
#include "render/pipeline.h"
#include "render/rasteriser.h"
#include "render/segment_window.h"
#include "render/textures.h"

static const char MenuFont[] = "Cour20b.fnt";

// ---- pictures -------------------------------------------------------------

static const char* const IntroPictures[] = {"Images/Intro1_256.bmp"};
static const char* const MainPictures[] = {"Images/Main.bmp"};
static const char* const RegistrationPictures[] = {"Images/Registration.bmp"};
static const char* const InjuryPictures[] = {"Injury/krankenhaus.bmp", "Injury/nose.bmp"};
static const char* const DefectPictures[] = {"Defekt/defekt1.bmp", "Defekt/defekt2.bmp",
                                             "Defekt/defekt3.bmp", "Defekt/defekt4.bmp"};
static const char* const CrashPictures[] = {"Crash/crash1.bmp", "Crash/crash2.bmp",
                                            "Crash/crash3.bmp"};
static const char* const CreditsPictures[] = {"Credits/credits.bmp"};
static const char* const FinishPictures[] = {"Ziel/ziel1.bmp", "Ziel/ziel2.bmp", "Ziel/ziel3.bmp",
                                             "Ziel/ziel56.bmp"};

// The pictures a screen chooses from; a screen with several picks one by the damage
// table. Shop pages show their catalogue item's picture.
struct ScreenPictures {
    const char* const* files;
    int32_t count;
};

#define PICTURES(list) {list, int32_t(sizeof list / sizeof list[0])}
#define SHOP_PAGE {nullptr, 0}
static const ScreenPictures ScreenPictureTable[ScreenCount] = {
    PICTURES(IntroPictures), PICTURES(MainPictures), PICTURES(RegistrationPictures),
    SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, // 3-7
    SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, // 8-12
    SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, // 13-17
    SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, SHOP_PAGE, // 18-22
    PICTURES(InjuryPictures), PICTURES(DefectPictures), PICTURES(CrashPictures),
    PICTURES(CreditsPictures), PICTURES(FinishPictures),
};
#undef PICTURES
#undef SHOP_PAGE

// The damage-table entry the outcome screens pick their picture by. A cursor outside
// the table reads entry 0 rather than memory beyond it.
static int32_t outcomePictureValue() {
    int32_t cursor = GameState.damageCursor;
    if (cursor < 0 || cursor >= int32_t(sizeof DamageTable / sizeof DamageTable[0])) cursor = 0;
    return DamageTable[cursor];
}

const char* screenPicture(int32_t screen) {
    if (screen < 0 || screen >= ScreenCount) return nullptr;
    if (isShopPage(screen)) {
        const EquipmentItem* item = equipmentForScreen(screen);
        return item != nullptr ? item->picture : nullptr;
    }
    const ScreenPictures& choice = ScreenPictureTable[screen];
    if (choice.count == 1) return choice.files[0];
    int32_t pick = outcomePictureValue() % choice.count;
    if (pick < 0) pick += choice.count;
    return choice.files[pick];
}

// ---- name entry -----------------------------------------------------------

// Runs of consecutive scan codes and the letters they type (German layout, Latin-1:
// 0xDC Ü, 0xD6 Ö, 0xC4 Ä).
struct NameKeyRow {
    int firstScanCode;
    const char* letters;
};
static const NameKeyRow NameKeyRows[] = {
    {ScanQ, "QWERTZUIOP\xDC"},
    {ScanA, "ASDFGHJKL\xD6\xC4"},
    {ScanZ, "YXCVBNM"},
    {ScanSpace, " "},
};

int nameEntryLetter(int scanCode) {
    for (const NameKeyRow& row : NameKeyRows) {
        int offset = scanCode - row.firstScanCode;
        if (offset >= 0 && offset < int(std::strlen(row.letters)))
            return (unsigned char)row.letters[offset];
    }
    return 0;
}

// ---- the run: outcome, start, end -----------------------------------------

void checkRunOutcome() {
    if (GameState.injuryFlag || GameState.defectFlag) {
        GameState.racing = 0;
        GameState.screen = GameState.injuryFlag ? ScreenInjury : ScreenDefect;
        GameState.injuryFlag = 0;
        GameState.defectFlag = 0;
    } else if (GameState.crashFlag) {
        GameState.racing = 0;
        GameState.screen = ScreenCrash;
        GameState.crashFlag = 0;
    }
}

void startRace() {
    GameState.racing = 1;
    applyRacePalette();
}

void leaveGame() {
    for (Bitmap*& texture : GameState.textures) {
        if (texture == nullptr) continue;
        unloadBitmap(texture);
        texture = nullptr;
    }
    destroySpriteManager();
    requestExit();
}

// ---- keys -----------------------------------------------------------------

enum KeyAction : uint8_t {
    KeyDoesNothing,
    KeyGoesTo,      // to the rule's screen
    KeyLeavesGame,
    KeyStartsRace,
    KeyBuysItem,    // shop purchase
    KeyStepsBack,   // shop: one category back with its refund
};

struct KeyRule {
    uint8_t action;
    int8_t target;
};

#define SHOP_PAGES(rule) rule, rule, rule, rule, rule, rule, rule, rule, rule, rule, \
                         rule, rule, rule, rule, rule, rule, rule, rule, rule, rule
static const KeyRule EscapeRules[ScreenCount] = {
    {KeyLeavesGame, 0}, {KeyLeavesGame, 0}, {KeyLeavesGame, 0}, // intro, main, name entry
    SHOP_PAGES((KeyRule{KeyStepsBack, 0})),
    {KeyLeavesGame, 0}, {KeyLeavesGame, 0}, {KeyLeavesGame, 0}, // injury, defect, crash
    {KeyLeavesGame, 0}, {KeyLeavesGame, 0},                     // credits, finish
};
static const KeyRule EnterRules[ScreenCount] = {
    {KeyGoesTo, ScreenMainMenu}, {KeyDoesNothing, 0}, {KeyGoesTo, ScreenMainMenu},
    SHOP_PAGES((KeyRule{KeyBuysItem, 0})),
    {KeyGoesTo, ScreenCredits}, {KeyGoesTo, ScreenCredits}, {KeyStartsRace, 0},
    {KeyLeavesGame, 0}, {KeyGoesTo, ScreenCredits},
};
#undef SHOP_PAGES

static void applyKeyRule(const KeyRule& rule) {
    switch (rule.action) {
    case KeyGoesTo: GameState.screen = rule.target; break;
    case KeyLeavesGame: leaveGame(); break;
    case KeyStartsRace: startRace(); break;
    case KeyBuysItem: shopBuy(); break;
    case KeyStepsBack: shopStepBack(); break;
    default: break;
    }
}

// During a run only Esc (quit at once) and T (texturing) act.
static void onRaceKey(int scanCode) {
    if (scanCode == ScanEsc)
        requestExit();
    else if (scanCode == ScanT)
        texturingEnabled = texturingEnabled ? 0 : 1;
}

static void typeNameLetter(int scanCode) {
    int letter = nameEntryLetter(scanCode);
    if (letter == 0) return;
    char text[2] = {char(letter), 0};
    Rider.appendToName(text);
}

// S: the next step of the game for this rider.
static void continueGame() {
    switch (Rider.riderStage()) {
    case 0: GameState.screen = ScreenNameEntry; break;
    case 1:
        Rider.reset(7000);
        GameState.screen = ScreenFrames;
        break;
    default: startRace(); break;
    }
}

// R, S and C on every screen but the name entry.
static void onMenuLetterKey(int scanCode) {
    switch (scanCode) {
    case ScanR:
        Rider.clearName();
        GameState.screen = ScreenNameEntry;
        break;
    case ScanS: continueGame(); break;
    case ScanC:
        Rider.reset(7000);
        Rider.applyBonusName();
        GameState.screen = ScreenFrames;
        break;
    default: break;
    }
}

void onKeyDown(InputEvent* event) {
    if (event == nullptr) return;
    int scanCode = scanCodeOf(*event);
    if (GameState.racing) {
        onRaceKey(scanCode);
        return;
    }
    int32_t screen = GameState.screen;
    if (screen < 0 || screen >= ScreenCount) return;
    switch (scanCode) {
    case ScanEsc: applyKeyRule(EscapeRules[screen]); return;
    case ScanEnter: applyKeyRule(EnterRules[screen]); return;
    case ScanUp:
    case ScanDown:
    case ScanLeft:
    case ScanRight:
        GameState.notEnoughMoney = 0;
        GameState.screen = shopMoveTarget(screen, scanCode);
        return;
    default: break;
    }
    if (screen == ScreenNameEntry)
        typeNameLetter(scanCode);
    else
        onMenuLetterKey(scanCode);
}

// ---- drawing --------------------------------------------------------------

static void drawRiderName() {
    char text[16 + RiderProfile::NameCapacity];
    std::snprintf(text, sizeof text, trPage("Your Name: %s"), Rider.name());
    setColorRGB(255, 255, 255);
    drawText(10, 10, text);
}

void drawMenuScreen() {
    clearPage();
    // Chosen before the picture's palette is set: the shop's balance line is drawn in
    // the entry nearest to black of the palette still active from the last frame.
    setColorRGB(0, 0, 0);
    Font* font = requireFont(MenuFont);
    useFont(font);
    const char* file = screenPicture(GameState.screen);
    Bitmap* picture = file != nullptr ? requireBitmap(file) : nullptr;
    if (picture != nullptr) {
        if (picture->palette != nullptr) {
            setPalette(picture->palette, 256, 0);
            realizePalette(256, 0, 1);
        }
        if (CurrentPage != nullptr && *CurrentPage != nullptr)
            putBitmap(*CurrentPage, 0, 0, picture, 0);
    }
    if (GameState.screen == ScreenNameEntry) drawRiderName();
    if (isShopPage(GameState.screen)) drawBalanceLine();
    if (picture != nullptr) unloadBitmap(picture);
    unloadFont(font);
}

int advanceFrame() {
    checkRunOutcome();
    const int showsRide = GameState.racing;
    if (showsRide) advanceRaceFrame();
    return showsRide;
}

void drawFrameView(int showsRide) {
    resetZBuffer();
    if (showsRide)
        drawRaceView();
    else
        drawMenuScreen();
}

void drawFrameUnshown() { drawFrameView(advanceFrame()); }

void drawFrame() {
    drawFrameUnshown();
    swapPages(1);
}
