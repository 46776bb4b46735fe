#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "profile/rider_profile.h"

namespace {

TEST(RiderProfile, StartsEmptyWithFullHealth) {
    RiderProfile p;
    EXPECT_STREQ(p.name(), "");
    EXPECT_EQ(p.riderStage(), 0);
    EXPECT_EQ(p.balance(), 0);
    EXPECT_EQ(p.health(), 100);
    EXPECT_EQ(p.condition(), 0);
    EXPECT_EQ(p.fork(), 0);
    EXPECT_EQ(p.frame(), 0);
    EXPECT_EQ(p.brakes(), 0);
    EXPECT_EQ(p.componentLevel(), 0);
    for (int i = 0; i < ProtectorCount; ++i) EXPECT_EQ(p.hasProtector(i), 0);
}

TEST(RiderProfile, StageFollowsNameAndFork) {
    RiderProfile p;
    p.appendToName("A");
    EXPECT_EQ(p.riderStage(), 1);
    p.setFork(180);
    EXPECT_EQ(p.riderStage(), 2);
    p.reset(7000);
    EXPECT_EQ(p.riderStage(), 1);
    EXPECT_STREQ(p.name(), "A");
    p.clearName();
    EXPECT_EQ(p.riderStage(), 0);
}

TEST(RiderProfile, ResetKeepsNameAndComponentLevel) {
    RiderProfile p;
    p.appendToName("Kim");
    p.setFrame(165);
    p.setFork(130);
    p.setBrakes(60);
    p.setComponentLevel(2);
    p.setProtector(0);
    p.setProtector(3);
    p.addCondition(40);
    p.addHealth(-30);
    p.reset(7000);
    EXPECT_STREQ(p.name(), "Kim");
    EXPECT_EQ(p.componentLevel(), 2);
    EXPECT_EQ(p.frame(), 0);
    EXPECT_EQ(p.fork(), 0);
    EXPECT_EQ(p.brakes(), 0);
    EXPECT_EQ(p.condition(), 0);
    EXPECT_EQ(p.health(), 100);
    EXPECT_EQ(p.balance(), 7000);
    for (int i = 0; i < ProtectorCount; ++i) EXPECT_EQ(p.hasProtector(i), 0);
}

TEST(RiderProfile, SpendAcceptsExactlyZeroAndRefusesBelow) {
    RiderProfile p;
    p.addMoney(1900);
    EXPECT_EQ(p.spend(1900), 1);
    EXPECT_EQ(p.balance(), 0);
    EXPECT_EQ(p.spend(1), 0);
    EXPECT_EQ(p.balance(), 0);
    p.addMoney(500);
    EXPECT_EQ(p.spend(501), 0);
    EXPECT_EQ(p.balance(), 500);
}

TEST(RiderProfile, DamageStopsAtZeroWithoutGoingNegative) {
    RiderProfile p;
    EXPECT_EQ(p.takeHealthDamage(100), 1);
    EXPECT_EQ(p.health(), 0);
    EXPECT_EQ(p.takeHealthDamage(1), 0);
    EXPECT_EQ(p.health(), 0);
    EXPECT_EQ(p.takeHealthDamage(0), 1);

    p.addCondition(20);
    EXPECT_EQ(p.takeBikeDamage(25), 0);
    EXPECT_EQ(p.condition(), 20);
    EXPECT_EQ(p.takeBikeDamage(20), 1);
    EXPECT_EQ(p.condition(), 0);
}

TEST(RiderProfile, HugeAmountsAreRefusedWithoutOverflow) {
    RiderProfile p;
    p.addMoney(10);
    EXPECT_EQ(p.spend(INT32_MIN), 0);
    EXPECT_EQ(p.balance(), 10);
    EXPECT_EQ(p.takeHealthDamage(INT32_MIN), 0);
    EXPECT_EQ(p.health(), 100);
    EXPECT_EQ(p.takeBikeDamage(INT32_MAX), 0);
    EXPECT_EQ(p.condition(), 0);
}

TEST(RiderProfile, BonusNameMustMatchExactly) {
    RiderProfile p;
    p.appendToName("GRAVELMONKS");
    p.reset(7000);
    p.applyBonusName();
    EXPECT_EQ(p.balance(), 14000);
    EXPECT_EQ(p.health(), 200);
    EXPECT_EQ(p.condition(), 100);

    for (const char* other : {"gravelmonks", "GRAVELMONKS ", "GRAVELMONK", "Gravelmonks"}) {
        RiderProfile q;
        q.appendToName(other);
        q.reset(7000);
        q.applyBonusName();
        EXPECT_EQ(q.balance(), 7000) << other;
        EXPECT_EQ(q.health(), 100) << other;
        EXPECT_EQ(q.condition(), 0) << other;
    }
}

TEST(RiderProfile, NameKeepsFortyBytesAndIgnoresTheRest) {
    RiderProfile p;
    p.clearName();
    p.appendToName("A");
    EXPECT_STREQ(p.name(), "A");
    for (int i = 0; i < 50; ++i) p.appendToName("\xDC");
    EXPECT_EQ(std::strlen(p.name()), size_t(RiderProfile::NameCapacity));
    EXPECT_EQ(std::string(p.name()), "A" + std::string(39, '\xDC'));
    p.clearName();
    p.appendToName(std::string(45, 'Q').c_str());
    EXPECT_EQ(std::string(p.name()), std::string(40, 'Q'));
}

TEST(RiderProfile, ProtectorIndexOutsideTheFourIsIgnored) {
    RiderProfile p;
    p.setProtector(4);
    p.setProtector(-1);
    EXPECT_EQ(p.hasProtector(4), 0);
    EXPECT_EQ(p.hasProtector(-1), 0);
    for (int i = 0; i < ProtectorCount; ++i) EXPECT_EQ(p.hasProtector(i), 0);
    p.setProtector(2);
    EXPECT_EQ(p.hasProtector(2), 1);
}

// Buying an item the way the shop does it, for the refund tests.
void buy(RiderProfile& p, int screen) {
    const EquipmentItem* item = equipmentForScreen(screen);
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(p.spend(item->price), 1);
    switch (item->slot) {
    case SlotFrame: p.setFrame(item->value); break;
    case SlotFork: p.setFork(item->value); break;
    case SlotBrakes: p.setBrakes(item->value); break;
    case SlotComponents: p.setComponentLevel(item->value); break;
    case SlotProtector: p.setProtector(item->value); break;
    }
    if (item->slot == SlotProtector)
        p.addHealth(item->bonus);
    else
        p.addCondition(item->bonus);
}

TEST(RiderProfile, RefundIsTheExactInverseOfEveryBikePart) {
    for (const EquipmentItem& item : EquipmentCatalogue) {
        if (item.slot == SlotProtector) continue;
        RiderProfile p;
        p.reset(7000);
        p.addCondition(7);
        buy(p, item.screen);
        p.refundCategory(item.category);
        EXPECT_EQ(p.balance(), 7000) << item.picture;
        EXPECT_EQ(p.condition(), 7) << item.picture;
        EXPECT_EQ(p.frame(), 0);
        EXPECT_EQ(p.fork(), 0);
        EXPECT_EQ(p.brakes(), 0);
        EXPECT_EQ(p.componentLevel(), 0);
    }
}

TEST(RiderProfile, RefundOfComponentsTakesBackEveryProtector) {
    RiderProfile p;
    p.reset(7000);
    buy(p, 17); // components level 2
    buy(p, 19); // helmet
    buy(p, 20); // gloves
    EXPECT_EQ(p.balance(), 7000 - 2000 - 400 - 40);
    EXPECT_EQ(p.condition(), 60);
    EXPECT_EQ(p.health(), 165);
    p.refundCategory(CategoryComponents);
    EXPECT_EQ(p.balance(), 7000);
    EXPECT_EQ(p.condition(), 0);
    EXPECT_EQ(p.health(), 100);
    EXPECT_EQ(p.componentLevel(), 0);
    for (int i = 0; i < ProtectorCount; ++i) EXPECT_EQ(p.hasProtector(i), 0);
}

TEST(RiderProfile, RefundOfNothingBoughtChangesNothing) {
    RiderProfile p;
    p.reset(7000);
    for (int category = 0; category <= 5; ++category) p.refundCategory(category);
    EXPECT_EQ(p.balance(), 7000);
    EXPECT_EQ(p.condition(), 0);
    EXPECT_EQ(p.health(), 100);
    // A stored value that is no catalogue item is not refunded either.
    p.setFrame(999);
    p.setComponentLevel(4);
    p.refundCategory(CategoryFrame);
    p.refundCategory(CategoryComponents);
    EXPECT_EQ(p.frame(), 999);
    EXPECT_EQ(p.componentLevel(), 4);
    EXPECT_EQ(p.balance(), 7000);
}

TEST(RiderProfile, RefundMayDriveConditionAndHealthNegative) {
    RiderProfile p;
    p.reset(7000);
    buy(p, 4);  // frame +50
    buy(p, 21); // armour +75
    p.takeBikeDamage(45);
    p.takeHealthDamage(170);
    p.refundCategory(CategoryFrame);
    p.refundCategory(CategoryComponents);
    EXPECT_EQ(p.condition(), -45);
    EXPECT_EQ(p.health(), -70);
    EXPECT_EQ(p.balance(), 7000);
}

TEST(EquipmentCatalogue, EveryShopPageHasOneItem) {
    for (int screen = 0; screen < 30; ++screen) {
        const EquipmentItem* item = equipmentForScreen(screen);
        if (screen >= 3 && screen <= 22) {
            ASSERT_NE(item, nullptr) << screen;
            EXPECT_EQ(item->screen, screen);
            EXPECT_GT(item->price, 0);
        } else {
            EXPECT_EQ(item, nullptr) << screen;
        }
    }
}

TEST(RiderProfile, GlobalRiderResets) {
    Rider.appendToName("X");
    Rider.reset(12);
    resetRider();
    EXPECT_STREQ(Rider.name(), "");
    EXPECT_EQ(Rider.balance(), 0);
    EXPECT_EQ(Rider.health(), 100);
}

} // namespace
