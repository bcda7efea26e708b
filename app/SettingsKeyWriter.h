// Writes settings into a registry key, creating it when needed.
#pragma once

#include <cstdint>
#include <vector>

#include "app/SettingsKey.h"

class SettingsKeyWriter : public SettingsKey {
public:
    SettingsKeyWriter() = default;
    SettingsKeyWriter(RegRoot root, const char* path);

    using SettingsKey::Int;

    int Open(RegRoot root, const char* path) override;
    int Int(const char* name, std::int32_t& variable) override;
    int Block(const char* name, void* buffer, std::uint32_t size) override;
    int SizedBlock(const char* name, void* buffer, std::uint32_t size, std::uint32_t maximum) override;
    int Text(const char* name, char* buffer, std::uint32_t size) override;
    int NumberedList(StringList& list) override;
    int PackedList(const char* name, StringList& list) override;

private:
    std::vector<char> scratch;
};
