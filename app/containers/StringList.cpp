// Owned string list on top of PtrArray.
#include "app/containers/StringList.h"

#include <cstdlib>
#include <cstring>

#include "app/containers/ShiftJis.h"

namespace {

char* CopyOf(const char* text) {
    size_t bytes = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(bytes));
    if (copy != nullptr) {
        std::memcpy(copy, text, bytes);
    }
    return copy;
}

}  // namespace

StringList::StringList(const StringList& other) {
    AppendAll(other);
}

StringList& StringList::operator=(const StringList& other) {
    // Clearing first would free the very strings that are about to be copied.
    if (this != &other) {
        Clear();
        AppendAll(other);
    }
    return *this;
}

StringList::~StringList() {
    for (int32_t i = 0; i < array.Count(); ++i) {
        std::free(array.Get(i));
    }
}

void StringList::AppendAll(const StringList& other) {
    for (int32_t i = 0; i < other.Count(); ++i) {
        if (!InsertString(-1, other.StringAt(i))) {
            return;
        }
    }
}

const char* StringList::StringAt(int32_t index) const {
    return static_cast<const char*>(array.Get(index));
}

int StringList::GetString(int32_t index, char* buffer, size_t bufferSize) const {
    const char* text = StringAt(index);
    if (text == nullptr) {
        if (bufferSize > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    CopyShiftJis(buffer, bufferSize, text);
    return 1;
}

int StringList::SetString(int32_t index, const char* text) {
    if (text == nullptr || array.Get(index) == nullptr) {
        return 0;
    }
    char* copy = CopyOf(text);
    if (copy == nullptr) {
        return 0;
    }
    std::free(array.Get(index));
    array.Set(index, copy);
    return 1;
}

size_t StringList::StringLength(int32_t index) const {
    const char* text = StringAt(index);
    return text != nullptr ? std::strlen(text) : 0;
}

int StringList::InsertString(int32_t position, const char* text) {
    if (text == nullptr) {
        return 0;
    }
    char* copy = CopyOf(text);
    if (copy == nullptr) {
        return 0;
    }
    if (!array.Insert(position, copy)) {
        // The array refused the item (bad position or no memory): the copy has no other owner.
        std::free(copy);
        return 0;
    }
    return 1;
}

void StringList::RemoveString(int32_t index) {
    void* text = array.Get(index);
    if (text != nullptr) {
        std::free(text);
        array.Remove(index);
    }
}

void StringList::Clear() {
    for (int32_t i = 0; i < array.Count(); ++i) {
        std::free(array.Get(i));
    }
    array.Reset();
}
