// Growable array of untyped pointers that holds every variable-length collection of the program.
// The block grows and shrinks in steps of 128 slots; the array never owns what its items point to.
#pragma once

#include <cstddef>
#include <cstdint>

class PtrArray {
public:
    static constexpr int32_t kSlotStep = 128;

    PtrArray();
    ~PtrArray();
    PtrArray(const PtrArray&) = delete;
    PtrArray& operator=(const PtrArray&) = delete;

    int32_t Count() const { return count; }
    int32_t Capacity() const { return capacity; }

    // The item at index, or nullptr when index is not 0 <= index < Count().
    void* Get(int32_t index) const;
    // Replaces the pointer at a valid index; the old item is not freed.
    void Set(int32_t index, void* item);
    // Stores item at position (-1 appends), moving later items up. Returns false, leaving the array
    // unchanged, when position is outside 0..Count() or the block cannot grow; owners of the item
    // use the result to free what was not stored.
    bool Insert(int32_t position, void* item);
    // Removes the item at a valid index (without freeing it) and gives back 128 slots when at least
    // that many are unused and more than 128 items remain.
    void Remove(int32_t index);
    // Exchanges two items when both indexes are valid.
    void Swap(int32_t first, int32_t second);
    // Empties the array and returns the block to 128 slots; the items are not freed.
    void Reset();

private:
    bool IsValidIndex(int32_t index) const { return index >= 0 && index < count; }
    bool Resize(int32_t slots);

    int32_t count = 0;
    void** items = nullptr;
    int32_t capacity = 0;
};

// Every block of every PtrArray is obtained through this realloc-shaped function, so tests can make
// the heap run out. Returns the previous function; nullptr restores std::realloc.
using PtrArrayReallocFunction = void* (*)(void* block, size_t bytes);
PtrArrayReallocFunction SetPtrArrayRealloc(PtrArrayReallocFunction replacement);
