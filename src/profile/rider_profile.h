// The rider's record: name, money, health, the bike's condition and the equipment
// bought in the shop; and the equipment catalogue that purchases and refunds read.
#pragma once

#include <cstdint>

// What a catalogue item stores when bought.
enum EquipmentSlot {
    SlotFrame,
    SlotFork,
    SlotBrakes,
    SlotComponents,
    SlotProtector,
};

// Refund categories: the shop steps back one of these at a time.
enum EquipmentCategory {
    CategoryFrame = 1,
    CategoryFork = 2,
    CategoryBrakes = 3,
    CategoryComponents = 4, // components and protectors are refunded together
};

struct EquipmentItem {
    int32_t category;    // EquipmentCategory
    int32_t slot;        // EquipmentSlot
    int32_t screen;      // the shop page that shows the item
    const char* picture; // the page's picture
    int32_t price;       // dollars
    int32_t value;       // stored in the slot's field; protector index for protectors
    int32_t bonus;       // added to condition (protectors: to health); 0 = none
};

enum { EquipmentCount = 20, ProtectorCount = 4 };

extern const EquipmentItem EquipmentCatalogue[EquipmentCount];

// The item shown on a shop page, or null for any other screen.
const EquipmentItem* equipmentForScreen(int32_t screen);

// The name that gives a bonus when the shop is entered with the shop key.
extern const char BonusName[];

class RiderProfile {
public:
    // Bytes of the name; letters typed beyond are ignored.
    static constexpr int NameCapacity = 40;

    RiderProfile();
    virtual ~RiderProfile();

    void reset(int32_t newBalance);
    int32_t riderStage() const;

    void appendToName(const char* text);
    const char* name() const { return name_; }
    void clearName();
    void applyBonusName();

    int32_t takeHealthDamage(int32_t amount);
    void addHealth(int32_t amount);
    int32_t takeBikeDamage(int32_t amount);
    void addCondition(int32_t amount);

    int32_t spend(int32_t price);
    void addMoney(int32_t amount);
    int32_t balance() const { return balance_; }

    void setFork(int32_t value) { fork_ = value; }
    void setFrame(int32_t value) { frame_ = value; }
    void setBrakes(int32_t value) { brakes_ = value; }
    void setComponentLevel(int32_t value) { componentLevel_ = value; }
    void setProtector(int32_t index);
    int32_t hasProtector(int32_t index) const;

    void refundCategory(int32_t category);

    int32_t health() const { return health_; }
    int32_t fork() const { return fork_; }
    int32_t frame() const { return frame_; }
    int32_t brakes() const { return brakes_; }
    int32_t condition() const { return condition_; }
    int32_t componentLevel() const { return componentLevel_; }

private:
    void refundSlot(int32_t slot, int32_t* field);

    char name_[NameCapacity + 1]; // always terminated
    int32_t health_;
    int32_t protectors_[ProtectorCount];
    int32_t fork_;
    int32_t frame_;
    int32_t brakes_;
    int32_t condition_;
    int32_t componentLevel_;
    int32_t balance_;
};

extern RiderProfile Rider;

// The rider back to a freshly constructed profile (tests).
void resetRider();
