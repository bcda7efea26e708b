// Growable pointer array with 128-slot steps.
#include "app/containers/PtrArray.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

void* SystemRealloc(void* block, size_t bytes) {
    return std::realloc(block, bytes);
}

PtrArrayReallocFunction gRealloc = &SystemRealloc;

}  // namespace

PtrArrayReallocFunction SetPtrArrayRealloc(PtrArrayReallocFunction replacement) {
    PtrArrayReallocFunction previous = gRealloc;
    gRealloc = replacement != nullptr ? replacement : &SystemRealloc;
    return previous;
}

PtrArray::PtrArray() {
    // Without a first block the array still works: the first Insert tries again.
    Resize(kSlotStep);
}

PtrArray::~PtrArray() {
    std::free(items);
}

bool PtrArray::Resize(int32_t slots) {
    if (slots <= 0 || static_cast<size_t>(slots) > std::numeric_limits<size_t>::max() / sizeof(void*)) {
        return false;
    }
    void* block = gRealloc(items, static_cast<size_t>(slots) * sizeof(void*));
    if (block == nullptr) {
        // realloc leaves the old block in place, so the array stays as it was.
        return false;
    }
    items = static_cast<void**>(block);
    capacity = slots;
    return true;
}

void* PtrArray::Get(int32_t index) const {
    return IsValidIndex(index) ? items[index] : nullptr;
}

void PtrArray::Set(int32_t index, void* item) {
    if (IsValidIndex(index)) {
        items[index] = item;
    }
}

bool PtrArray::Insert(int32_t position, void* item) {
    if (position == -1) {
        position = count;
    }
    if (position < 0 || position > count) {
        return false;
    }
    if (count + 1 > capacity) {
        if (capacity > std::numeric_limits<int32_t>::max() - kSlotStep || !Resize(capacity + kSlotStep)) {
            return false;
        }
    }
    std::memmove(items + position + 1, items + position, static_cast<size_t>(count - position) * sizeof(void*));
    items[position] = item;
    ++count;
    return true;
}

void PtrArray::Remove(int32_t index) {
    if (!IsValidIndex(index)) {
        return;
    }
    std::memmove(items + index, items + index + 1, static_cast<size_t>(count - index - 1) * sizeof(void*));
    --count;
    if (count <= capacity - kSlotStep && count > kSlotStep) {
        // A failed shrink keeps the larger block, which is still a valid state.
        Resize(capacity - kSlotStep);
    }
}

void PtrArray::Swap(int32_t first, int32_t second) {
    if (IsValidIndex(first) && IsValidIndex(second)) {
        void* item = items[first];
        items[first] = items[second];
        items[second] = item;
    }
}

void PtrArray::Reset() {
    count = 0;
    if (capacity != kSlotStep) {
        // When even the smaller block cannot be had, the old one stays (its size is still a step multiple).
        Resize(kSlotStep);
    }
}
