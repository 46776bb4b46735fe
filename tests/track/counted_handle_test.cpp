// Counted handles and front-only lists: reference counts, stack order, release.
#include <gtest/gtest.h>

// GCC 12 cannot follow the reference counts through the inlined releases below and
// warns of uses after free that cannot happen; the sanitizer run checks them for real.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif

#include "track/counted_handle.h"

namespace {

// A value that records how many of its kind are alive.
struct Tracked {
    static int alive;
    int value;
    int refCount = 0;
    explicit Tracked(int v) : value(v) { ++alive; }
    Tracked(const Tracked& other) : value(other.value), refCount(other.refCount) { ++alive; }
    ~Tracked() { --alive; }
};
int Tracked::alive = 0;

class CountedHandleTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::alive = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::alive, 0); }
};

}  // namespace

TEST_F(CountedHandleTest, MakeHandleCopiesTheValueAndCountsOnce) {
    Tracked value(7);
    value.refCount = 0;
    {
        CountedHandle<Tracked> handle = makeHandle(value);
        EXPECT_EQ(handle->refCount, 1);
        EXPECT_EQ(handle->value, 7);
        EXPECT_NE(handle.get(), &value);
        EXPECT_EQ(Tracked::alive, 2);
    }
    EXPECT_EQ(Tracked::alive, 1);
}

TEST_F(CountedHandleTest, SharedObjectLivesUntilTheLastHandle) {
    CountedHandle<Tracked> first = makeHandle(Tracked(1));
    {
        CountedHandle<Tracked> second(first);
        EXPECT_EQ(first->refCount, 2);
        CountedHandle<Tracked> third;
        third = second;
        EXPECT_EQ(first->refCount, 3);
    }
    EXPECT_EQ(first->refCount, 1);
    EXPECT_EQ(Tracked::alive, 1);
    first = CountedHandle<Tracked>();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(Tracked::alive, 0);
}

TEST_F(CountedHandleTest, SelfAssignmentKeepsTheCount) {
    CountedHandle<Tracked> handle = makeHandle(Tracked(5));
    CountedHandle<Tracked>& same = handle;
    handle = same;
    EXPECT_EQ(handle->refCount, 1);
    EXPECT_EQ(handle->value, 5);
    // Reassigning to another object releases the old one.
    CountedHandle<Tracked> other = makeHandle(Tracked(6));
    handle = other;
    EXPECT_EQ(Tracked::alive, 1);
    EXPECT_EQ(other->refCount, 2);
}

TEST_F(CountedHandleTest, ListIsAStack) {
    HandleList<Tracked> list;
    EXPECT_TRUE(list.popFront().isNull());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.front(), nullptr);

    CountedHandle<Tracked> p = makeHandle(Tracked(1)), q = makeHandle(Tracked(2)),
                           r = makeHandle(Tracked(3));
    EXPECT_EQ(list.pushFront(p), 1);
    EXPECT_EQ(list.pushFront(q), 2);
    EXPECT_EQ(list.pushFront(r), 3);
    EXPECT_EQ(p->refCount, 2);
    EXPECT_EQ(list.front()->value, 3);

    int order[3], n = 0;
    list.forEach([&](const Tracked& t) { order[n++] = t.value; });
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(order[2], 1);

    CountedHandle<Tracked> popped = list.popFront();
    EXPECT_EQ(popped->value, 3);
    EXPECT_EQ(popped->refCount, 2);  // the same as before the pop: r and popped
    EXPECT_EQ(list.popFront()->value, 2);
    EXPECT_EQ(list.popFront()->value, 1);
    EXPECT_TRUE(list.popFront().isNull());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(p->refCount, 1);
}

TEST_F(CountedHandleTest, MovingBetweenListsReversesTheOrder) {
    HandleList<Tracked> from, to;
    for (int v = 1; v <= 3; ++v) from.pushFront(makeHandle(Tracked(v)));  // head: 3, 2, 1
    while (from.count() > 0) to.pushFront(from.popFront());
    EXPECT_EQ(to.count(), 3);
    EXPECT_EQ(to.front()->refCount, 1);
    EXPECT_EQ(to.popFront()->value, 1);
    EXPECT_EQ(to.popFront()->value, 2);
    EXPECT_EQ(to.popFront()->value, 3);
    EXPECT_EQ(Tracked::alive, 0);
}

TEST_F(CountedHandleTest, ClearReleasesEveryListedObject) {
    HandleList<Tracked> list;
    CountedHandle<Tracked> kept = makeHandle(Tracked(9));
    list.pushFront(kept);
    for (int v = 0; v < 4; ++v) list.pushFront(makeHandle(Tracked(v)));
    EXPECT_EQ(Tracked::alive, 5);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(Tracked::alive, 1);
    EXPECT_EQ(kept->refCount, 1);
}
