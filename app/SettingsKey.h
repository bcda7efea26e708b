// A registry key that exchanges typed values with variables: the same walk over the settings reads them
// through a SettingsKeyReader and writes them through a SettingsKeyWriter.
#pragma once

#include <cstdint>

#include "app/RegKey.h"

class StringList;

// The values a stored number may take; a loaded value outside them leaves the setting as it was
// (its default at start-up), so a damaged registry cannot hang or break the player.
struct SettingRange {
    std::int32_t least;
    std::int32_t most;
    bool Holds(std::int32_t value) const { return value >= least && value <= most; }
};

class SettingsKey : public RegKey {
public:
    ~SettingsKey() override;

    // Every operation answers nonzero for success and does nothing, answering 0, when the key is not open.
    virtual int Open(RegRoot root, const char* path) = 0;
    virtual int Close();
    virtual int Int(const char* name, std::int32_t& variable) = 0;
    // A record of exactly size bytes.
    virtual int Block(const char* name, void* buffer, std::uint32_t size) = 0;
    // A record whose stored length varies: size bytes are written, at most maximum read. Answers the
    // number of bytes exchanged.
    virtual int SizedBlock(const char* name, void* buffer, std::uint32_t size, std::uint32_t maximum) = 0;
    // A NUL-terminated string in a buffer of size bytes, terminator included.
    virtual int Text(const char* name, char* buffer, std::uint32_t size) = 0;
    // The list as values "0000", "0001", ... of this key.
    virtual int NumberedList(StringList& list) = 0;
    // The list as one value: each string with its terminator, then one more 0 byte.
    virtual int PackedList(const char* name, StringList& list) = 0;

    // A number that must lie in range; one outside it is not taken.
    virtual int Int(const char* name, std::int32_t& variable, SettingRange range);
    // Unsigned settings (volume control ids) travel as the same 32 bits.
    int Int(const char* name, std::uint32_t& variable);
};
