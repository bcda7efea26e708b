// List of owned Shift-JIS strings (file names, list rows) kept in a PtrArray. Each item is a heap
// copy of exactly length + 1 bytes that the list frees when the item is replaced, removed or cleared.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/containers/PtrArray.h"

class StringList {
public:
    StringList() = default;
    StringList(const StringList& other);
    StringList& operator=(const StringList& other);
    ~StringList();

    int32_t Count() const { return array.Count(); }
    int32_t Capacity() const { return array.Capacity(); }

    // The stored string, or nullptr for an invalid index. Valid until the item changes.
    const char* StringAt(int32_t index) const;
    // Copies the string into buffer (bufferSize bytes including the terminator), cutting a string that
    // does not fit at a character boundary. Returns nonzero for a valid index; for an invalid one the
    // buffer gets "" (when it has room) and the result is 0.
    int GetString(int32_t index, char* buffer, size_t bufferSize) const;
    // Replaces the string at a valid index with a copy of text. Returns 0, keeping the old string,
    // for an invalid index, a null text or when the copy cannot be allocated.
    int SetString(int32_t index, const char* text);
    // Length in bytes, 0 for an invalid index.
    size_t StringLength(int32_t index) const;
    // Stores a copy of text at position (-1 appends). Returns 0, storing nothing, when the position
    // is invalid, text is null or memory runs out.
    int InsertString(int32_t position, const char* text);
    void SwapStrings(int32_t first, int32_t second) { array.Swap(first, second); }
    // Frees the string at a valid index and removes the item.
    void RemoveString(int32_t index);
    // Frees every string and returns the block to 128 slots.
    void Clear();

private:
    // Appends copies of other's strings; stops at the first one that cannot be stored.
    void AppendAll(const StringList& other);

    PtrArray array;
};
