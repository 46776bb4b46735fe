#include "game/shop.h"

#include <cstdio>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "display/display.h"
#include "game/screen_ids.h"
#include "lang/translation.h"
#include "profile/rider_profile.h"

// clang-format off
const ShopCategory ShopCategories[ShopCategoryCount] = {
    // pages     next               back                   refund
    {3,  6,  ScreenForks,      ScreenMainMenu,    0},                  // frames
    {7,  11, ScreenBrakes,     ScreenFrames,      CategoryFrame},      // forks
    {12, 15, ScreenComponents, ScreenForks,       CategoryFork},       // brakes
    {16, 18, ScreenProtectors, ScreenBrakes,      CategoryBrakes},     // components
    {19, 22, ScreenMainMenu,   ScreenComponents,  CategoryComponents}, // protectors
};

const BalanceLine ShopBalanceLines[ShopCategoryCount] = {
    {{N_("Not enough money! (%d $)"), 10, 4},    {{N_("Your balance: %d"), 10, 4},    {nullptr, 0, 0}}},
    {{N_("Not enough money! (%d $)"), 2, 2},     {{N_("Your balance:"), 470, 290},    {"%d ", 470, 310}}},
    {{N_("Not enough money! (%d $)"), 235, 235}, {{N_("Your balance: %d"), 235, 235}, {nullptr, 0, 0}}},
    {{N_("Not enough money! (%d $)"), 32, 150},  {{N_("Your balance: %d"), 32, 150},  {nullptr, 0, 0}}},
    {{N_("Not enough money! (%d $)"), 5, 2},     {{N_("Your balance: %d"), 5, 2},     {nullptr, 0, 0}}},
};

// Arrow-key targets of every shop page, 0 = no move.
struct PageMoves { int8_t up, down, left, right; };
static const PageMoves ShopMoves[ShopLastPage - ShopFirstPage + 1] = {
    // up down left right
    {0,  5,  0,  4},  // 3
    {0,  6,  3,  0},  // 4
    {3,  0,  0,  6},  // 5
    {4,  0,  5,  0},  // 6
    {0,  10, 0,  8},  // 7
    {0,  0,  7,  9},  // 8
    {0,  11, 8,  0},  // 9
    {7,  0,  0,  11}, // 10
    {9,  0,  10, 0},  // 11
    {0,  14, 0,  13}, // 12
    {0,  15, 12, 0},  // 13
    {12, 0,  0,  15}, // 14
    {13, 0,  14, 0},  // 15
    {0,  17, 0,  0},  // 16
    {16, 18, 0,  0},  // 17
    {17, 0,  0,  0},  // 18
    {0,  21, 0,  20}, // 19
    {0,  22, 19, 0},  // 20
    {19, 0,  0,  22}, // 21
    {20, 0,  21, 0},  // 22
};
// clang-format on

int isShopPage(int32_t screen) { return screen >= ShopFirstPage && screen <= ShopLastPage; }

int shopCategoryIndex(int32_t screen) {
    for (int i = 0; i < ShopCategoryCount; ++i)
        if (screen >= ShopCategories[i].firstPage && screen <= ShopCategories[i].lastPage) return i;
    return -1;
}

int32_t shopMoveTarget(int32_t screen, int scanCode) {
    if (!isShopPage(screen)) return screen;
    const PageMoves& moves = ShopMoves[screen - ShopFirstPage];
    int target = 0;
    switch (scanCode) {
    case ScanUp: target = moves.up; break;
    case ScanDown: target = moves.down; break;
    case ScanLeft: target = moves.left; break;
    case ScanRight: target = moves.right; break;
    default: break;
    }
    return target != 0 ? target : screen;
}

// The cheapest protector: below its price the components lead back to the main menu.
static int32_t cheapestProtectorPrice() {
    int32_t cheapest = -1;
    for (const EquipmentItem& item : EquipmentCatalogue)
        if (item.slot == SlotProtector && (cheapest < 0 || item.price < cheapest))
            cheapest = item.price;
    return cheapest;
}

// The page of the most expensive protector not owned that the balance covers, else
// the main menu.
static int32_t nextProtectorPage() {
    const EquipmentItem* best = nullptr;
    for (const EquipmentItem& item : EquipmentCatalogue) {
        if (item.slot != SlotProtector || Rider.hasProtector(item.value)) continue;
        if (item.price > Rider.balance()) continue;
        if (best == nullptr || item.price > best->price) best = &item;
    }
    return best != nullptr ? best->screen : ScreenMainMenu;
}

static void storeEquipment(const EquipmentItem& item) {
    switch (item.slot) {
    case SlotFrame: Rider.setFrame(item.value); break;
    case SlotFork: Rider.setFork(item.value); break;
    case SlotBrakes: Rider.setBrakes(item.value); break;
    case SlotComponents: Rider.setComponentLevel(item.value); break;
    default: break;
    }
}

static void buyBikePart(const EquipmentItem& item, const ShopCategory& category) {
    if (!Rider.spend(item.price)) {
        GameState.notEnoughMoney = 1;
        return;
    }
    if (item.screen == ScreenFrames) GameState.notEnoughMoney = 0;
    storeEquipment(item);
    if (item.bonus != 0) Rider.addCondition(item.bonus);
    if (item.slot == SlotComponents)
        GameState.screen =
            Rider.balance() >= cheapestProtectorPrice() ? ScreenProtectors : ScreenMainMenu;
    else
        GameState.screen = category.nextPage;
}

static void buyProtector(const EquipmentItem& item) {
    if (!Rider.spend(item.price)) {
        GameState.notEnoughMoney = 1;
        return;
    }
    if (Rider.hasProtector(item.value)) {
        Rider.addMoney(item.price);
        return;
    }
    Rider.setProtector(item.value);
    Rider.addHealth(item.bonus);
    GameState.screen = nextProtectorPage();
}

void shopBuy() {
    const EquipmentItem* item = equipmentForScreen(GameState.screen);
    int index = shopCategoryIndex(GameState.screen);
    if (item == nullptr || index < 0) return;
    if (item->slot == SlotProtector)
        buyProtector(*item);
    else
        buyBikePart(*item, ShopCategories[index]);
}

void shopStepBack() {
    int index = shopCategoryIndex(GameState.screen);
    if (index < 0) return;
    const ShopCategory& category = ShopCategories[index];
    if (category.refundCategory != 0) Rider.refundCategory(category.refundCategory);
    GameState.screen = category.backPage;
}

int balanceLineText(int32_t screen, int32_t notEnoughMoney, int32_t balance, int n, char* out,
                    int outSize, int32_t* x, int32_t* y) {
    int index = shopCategoryIndex(screen);
    if (index < 0 || n < 0 || n > 1 || out == nullptr || outSize <= 0) return 0;
    const BalanceLine& line = ShopBalanceLines[index];
    const BalanceText* text = nullptr;
    if (notEnoughMoney == 1)
        text = n == 0 ? &line.lacking : nullptr;
    else
        text = &line.normal[n];
    if (text == nullptr || text->format == nullptr) return 0;
    std::snprintf(out, size_t(outSize), trPage(text->format), balance);
    *x = text->x;
    *y = text->y;
    return 1;
}

void drawBalanceLine() {
    char text[64];
    int32_t x = 0, y = 0;
    for (int n = 0; n < 2; ++n)
        if (balanceLineText(GameState.screen, GameState.notEnoughMoney, Rider.balance(), n, text,
                            int(sizeof text), &x, &y))
            drawText(x, y, text);
}
