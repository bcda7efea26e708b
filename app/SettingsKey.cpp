// What the reading and writing key objects share.
#include "app/SettingsKey.h"

#include <cstring>

SettingsKey::~SettingsKey() {
    RegKey::Close();
}

int SettingsKey::Close() {
    return RegKey::Close();
}

int SettingsKey::Int(const char* name, std::uint32_t& variable) {
    std::int32_t value = 0;
    std::memcpy(&value, &variable, sizeof value);
    const int result = Int(name, value);
    std::memcpy(&variable, &value, sizeof value);
    return result;
}

int SettingsKey::Int(const char* name, std::int32_t& variable, SettingRange range) {
    const std::int32_t before = variable;
    const int result = Int(name, variable);
    if (!range.Holds(variable)) {
        variable = before;
    }
    return result;
}
