// Reads settings from an existing registry key. A value that is missing, of another type than the
// operation expects, or too large for its variable leaves the variable as it was.
#pragma once

#include <cstdint>
#include <vector>

#include "app/SettingsKey.h"

class SettingsKeyReader : public SettingsKey {
public:
    SettingsKeyReader() = default;
    SettingsKeyReader(RegRoot root, const char* path);

    using SettingsKey::Int;

    int Open(RegRoot root, const char* path) override;
    int Int(const char* name, std::int32_t& variable) override;
    int Block(const char* name, void* buffer, std::uint32_t size) override;
    int SizedBlock(const char* name, void* buffer, std::uint32_t size, std::uint32_t maximum) override;
    int Text(const char* name, char* buffer, std::uint32_t size) override;
    int NumberedList(StringList& list) override;
    int PackedList(const char* name, StringList& list) override;

private:
    // Reads the value into scratch, which then holds a 0 after its bytes. A value larger than capacity
    // answers kMoreData, unless growing is allowed: then scratch grows to fit values of reasonable size.
    RegStatus Fetch(const char* name, std::uint32_t capacity, bool grow, std::uint32_t* type, std::uint32_t* size);

    std::vector<char> scratch;
};
