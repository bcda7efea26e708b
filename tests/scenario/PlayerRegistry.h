// Reads and prepares the settings the player keeps under HKCU\Software\Veqo\Melodrix\2.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<unsigned char> data;
    std::string AsString() const;  // REG_SZ without its terminator
    uint32_t AsDword() const;
};

// Deletes the player's whole key so the next start is a first run.
void ResetPlayerSettings();
// The value under the player's key (subKey like "Player" or "File\\History"), if present.
std::optional<StoredValue> ReadStored(const char* subKey, const char* name);
void WriteDword(const char* subKey, const char* name, uint32_t value);
void WriteString(const char* subKey, const char* name, const char* value);
// The names in a numbered list key, "0000", "0001", ... until the first gap.
std::vector<std::string> ReadNumberedList(const char* subKey);
void WriteNumberedList(const char* subKey, const std::vector<std::string>& names);
