// Growth, shrinking, index rules and allocation failure of PtrArray.
#include "app/containers/PtrArray.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

void* Item(intptr_t n) {
    return reinterpret_cast<void*>(n + 1);
}

void Fill(PtrArray& array, int count) {
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(array.Insert(-1, Item(i)));
    }
}

void* FailingRealloc(void*, size_t) {
    return nullptr;
}

// Makes every block allocation fail while it lives.
class ExhaustedHeap {
public:
    ExhaustedHeap() : previous(SetPtrArrayRealloc(&FailingRealloc)) {}
    ~ExhaustedHeap() { SetPtrArrayRealloc(previous); }

private:
    PtrArrayReallocFunction previous;
};

TEST(PtrArray, GrowsAndShrinksIn128SlotSteps) {
    PtrArray array;
    Fill(array, 128);
    EXPECT_EQ(array.Capacity(), 128);
    Fill(array, 1);  // the 129th item
    EXPECT_EQ(array.Capacity(), 256);
    array.Reset();
    Fill(array, 257);
    ASSERT_EQ(array.Capacity(), 384);
    array.Remove(0);  // 256 left: 256 <= 384 - 128
    EXPECT_EQ(array.Capacity(), 256);
    while (array.Count() > 100) {
        array.Remove(array.Count() - 1);
    }
    // A 256-slot block never shrinks by removal: the count is <= 128 by the time 128 slots are free.
    EXPECT_EQ(array.Capacity(), 256);
    EXPECT_EQ(array.Get(0), Item(1));
    EXPECT_EQ(array.Get(99), Item(100));  // removal kept the order
    array.Reset();
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Capacity(), 128);
}

TEST(PtrArray, InsertPositionsAndInvalidIndexes) {
    PtrArray array;
    EXPECT_TRUE(array.Insert(-1, Item(1)));  // append on empty stores at 0
    EXPECT_TRUE(array.Insert(0, Item(0)));
    EXPECT_TRUE(array.Insert(2, Item(3)));  // position == count appends
    EXPECT_TRUE(array.Insert(2, Item(2)));
    EXPECT_FALSE(array.Insert(5, Item(9)));  // count + 1
    EXPECT_FALSE(array.Insert(-2, Item(9)));
    EXPECT_EQ(array.Get(-1), nullptr);
    EXPECT_EQ(array.Get(4), nullptr);
    array.Set(4, Item(9));
    array.Remove(4);
    array.Remove(-1);
    array.Swap(0, 4);
    ASSERT_EQ(array.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(array.Get(i), Item(i));
    }
    array.Swap(0, 3);
    array.Set(1, Item(7));
    array.Remove(2);
    EXPECT_EQ(array.Get(0), Item(3));
    EXPECT_EQ(array.Get(1), Item(7));
    EXPECT_EQ(array.Get(2), Item(0));
}

TEST(PtrArray, FailedAllocationLeavesTheArrayUnchanged) {
    PtrArray array;
    Fill(array, 257);
    ExhaustedHeap heap;
    array.Remove(256);  // the shrink fails: items stay, in the larger block
    EXPECT_EQ(array.Capacity(), 384);
    while (array.Count() < 384) {
        ASSERT_TRUE(array.Insert(-1, Item(array.Count())));
    }
    EXPECT_FALSE(array.Insert(0, Item(999)));  // the growth fails
    EXPECT_EQ(array.Count(), 384);
    EXPECT_EQ(array.Capacity(), 384);
    EXPECT_EQ(array.Get(0), Item(0));
    EXPECT_EQ(array.Get(383), Item(383));
}

}  // namespace
