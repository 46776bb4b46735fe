// The shop: screens 3 to 22, one item per page, five categories walked in order.
// The page is GameState.screen, the purchases live in the Rider.
#pragma once

#include <cstdint>

enum { ShopFirstPage = 3, ShopLastPage = 22 };

// One category's pages and where its keys lead.
struct ShopCategory {
    int32_t firstPage, lastPage;
    int32_t nextPage;       // after a purchase (components: see shopNextPageAfter)
    int32_t backPage;       // Esc
    int32_t refundCategory; // refunded by Esc, 0 = nothing
};

// One text of a balance line: a format taking the balance, and its position.
struct BalanceText {
    const char* format; // null = no text
    int32_t x, y;
};

// The balance line of a category: the shortage text, or the balance texts.
struct BalanceLine {
    BalanceText lacking;
    BalanceText normal[2];
};

enum { ShopCategoryCount = 5 };
extern const ShopCategory ShopCategories[ShopCategoryCount];
extern const BalanceLine ShopBalanceLines[ShopCategoryCount];

int isShopPage(int32_t screen);
// Index 0 to 4 of the page's category, -1 outside the shop.
int shopCategoryIndex(int32_t screen);

// The page an arrow key (scan code 72, 75, 77, 80) leads to; the page itself when the
// key has no target there, and the screen unchanged outside the shop.
int32_t shopMoveTarget(int32_t screen, int scanCode);

// Enter on the current shop page: buys its item and moves on.
void shopBuy();
// Esc on the current shop page: one category back, undoing that category's purchase.
void shopStepBack();

// Draws the balance line of the current shop page in the current drawing colour.
void drawBalanceLine();
// Formats the n-th text (0, 1) of a page's balance line into out; answers its
// position, or 0 when the page has no such text.
int balanceLineText(int32_t screen, int32_t notEnoughMoney, int32_t balance, int n, char* out,
                    int outSize, int32_t* x, int32_t* y);
