#include "profile/rider_profile.h"

#include <cstring>

// clang-format off
const EquipmentItem EquipmentCatalogue[EquipmentCount] = {
    // category            slot            screen picture                              price value bonus
    {CategoryFrame,      SlotFrame,      3,  "Images/Frame_SA.bmp",               1900, 165,  30},
    {CategoryFrame,      SlotFrame,      4,  "Images/Frame_M1.bmp",               2750, 203,  50},
    {CategoryFrame,      SlotFrame,      5,  "Images/Frame_Turner.bmp",           1700, 157,  10},
    {CategoryFrame,      SlotFrame,      6,  "Images/Frame_K2.bmp",               1500, 150,   0},
    {CategoryFork,       SlotFork,       7,  "Images/Forks256_MonsterT.bmp",      1450, 180,  25},
    {CategoryFork,       SlotFork,       8,  "Images/Forks256_Xvert.bmp",         1200, 160,  18},
    {CategoryFork,       SlotFork,       9,  "Images/Forks256_MrT.bmp",            900, 130,   5},
    {CategoryFork,       SlotFork,       10, "Images/Forks256_Hi5.bmp",            700, 127,   0},
    {CategoryFork,       SlotFork,       11, "Images/Forks256_XXL.bmp",           1000, 152,  10},
    {CategoryBrakes,     SlotBrakes,     12, "Images/Brakes256_Hayes.bmp",         500,  80,  20},
    {CategoryBrakes,     SlotBrakes,     13, "Images/Brakes256_ProStop.bmp",       350,  60,  10},
    {CategoryBrakes,     SlotBrakes,     14, "Images/Brakes256_GustavM.bmp",       700, 100,  30},
    {CategoryBrakes,     SlotBrakes,     15, "Images/Brakes256_XTR.bmp",           150,  50,   0},
    {CategoryComponents, SlotComponents, 16, "Images/Components256_XTR.bmp",      2500,   1, 100},
    {CategoryComponents, SlotComponents, 17, "Images/Components256_XT.bmp",       2000,   2,  60},
    {CategoryComponents, SlotComponents, 18, "Images/Components256_LX.bmp",       1500,   3,  25},
    {CategoryComponents, SlotProtector,  19, "Images/Protector_Helm.bmp",          400,   0,  50},
    {CategoryComponents, SlotProtector,  20, "Images/Protector_Gloves.bmp",         40,   1,  15},
    {CategoryComponents, SlotProtector,  21, "Images/Protector_Turtle.bmp",        450,   2,  75},
    {CategoryComponents, SlotProtector,  22, "Images/Protector_Hose.bmp",          200,   3,  30},
};
// clang-format on

const char BonusName[] = "GRAVELMONKS";

RiderProfile Rider;

const EquipmentItem* equipmentForScreen(int32_t screen) {
    for (const EquipmentItem& item : EquipmentCatalogue)
        if (item.screen == screen) return &item;
    return nullptr;
}

// The catalogue item of a slot whose stored value is the given one.
static const EquipmentItem* equipmentByValue(int32_t slot, int32_t value) {
    for (const EquipmentItem& item : EquipmentCatalogue)
        if (item.slot == slot && item.value == value) return &item;
    return nullptr;
}

static const EquipmentItem* protectorItem(int32_t index) {
    return equipmentByValue(SlotProtector, index);
}

// Subtracts amount from *field unless the result would drop below 0 (or leave the
// 32-bit range); answers 1 when subtracted.
static int32_t takeIfCovered(int32_t* field, int32_t amount) {
    int64_t result = int64_t(*field) - int64_t(amount);
    if (result < 0 || result > INT32_MAX) return 0;
    *field = int32_t(result);
    return 1;
}

RiderProfile::RiderProfile() {
    std::memset(name_, 0, sizeof name_);
    health_ = 100;
    for (int32_t& owned : protectors_) owned = 0;
    fork_ = 0;
    frame_ = 0;
    brakes_ = 0;
    condition_ = 0;
    componentLevel_ = 0;
    balance_ = 0;
}

RiderProfile::~RiderProfile() = default;

void RiderProfile::reset(int32_t newBalance) {
    health_ = 100;
    fork_ = 0;
    frame_ = 0;
    brakes_ = 0;
    condition_ = 0;
    for (int32_t& owned : protectors_) owned = 0;
    balance_ = newBalance;
}

int32_t RiderProfile::riderStage() const {
    if (name_[0] == 0) return 0;
    return fork_ != 0 ? 2 : 1;
}

void RiderProfile::appendToName(const char* text) {
    if (text == nullptr) return;
    size_t length = std::strlen(name_);
    while (*text != 0 && length < size_t(NameCapacity)) name_[length++] = *text++;
    name_[length] = 0;
}

void RiderProfile::clearName() { std::memset(name_, 0, sizeof name_); }

void RiderProfile::applyBonusName() {
    if (std::strcmp(name_, BonusName) != 0) return;
    balance_ += 7000;
    health_ += 100;
    condition_ += 100;
}

int32_t RiderProfile::takeHealthDamage(int32_t amount) { return takeIfCovered(&health_, amount); }

void RiderProfile::addHealth(int32_t amount) { health_ += amount; }

int32_t RiderProfile::takeBikeDamage(int32_t amount) { return takeIfCovered(&condition_, amount); }

void RiderProfile::addCondition(int32_t amount) { condition_ += amount; }

int32_t RiderProfile::spend(int32_t price) { return takeIfCovered(&balance_, price); }

void RiderProfile::addMoney(int32_t amount) { balance_ += amount; }

void RiderProfile::setProtector(int32_t index) {
    if (index >= 0 && index < ProtectorCount) protectors_[index] = 1;
}

int32_t RiderProfile::hasProtector(int32_t index) const {
    if (index < 0 || index >= ProtectorCount) return 0;
    return protectors_[index] == 1 ? 1 : 0;
}

// Gives back the item whose stored value the field holds; a value that matches no
// item (none bought) changes nothing.
void RiderProfile::refundSlot(int32_t slot, int32_t* field) {
    const EquipmentItem* item = equipmentByValue(slot, *field);
    if (item == nullptr) return;
    balance_ += item->price;
    *field = 0;
    condition_ -= item->bonus;
}

void RiderProfile::refundCategory(int32_t category) {
    switch (category) {
    case CategoryFrame: refundSlot(SlotFrame, &frame_); break;
    case CategoryFork: refundSlot(SlotFork, &fork_); break;
    case CategoryBrakes: refundSlot(SlotBrakes, &brakes_); break;
    case CategoryComponents:
        refundSlot(SlotComponents, &componentLevel_);
        for (int32_t index = 0; index < ProtectorCount; ++index) {
            if (protectors_[index] != 1) continue;
            const EquipmentItem* item = protectorItem(index);
            protectors_[index] = 0;
            balance_ += item->price;
            health_ -= item->bonus;
        }
        break;
    default: break;
    }
}

void resetRider() { Rider = RiderProfile(); }
