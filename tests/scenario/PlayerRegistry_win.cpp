// Registry access of the scenario tests, straight through the Win32 registry.
#include "tests/scenario/PlayerRegistry.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kBase[] = "Software\\Veqo\\Melodrix\\2";

std::string KeyPath(const char* subKey) {
    return std::string(kBase) + "\\" + subKey;
}

}  // namespace

std::string StoredValue::AsString() const {
    std::string text(data.begin(), data.end());
    text.resize(std::strlen(text.c_str()));
    return text;
}

uint32_t StoredValue::AsDword() const {
    uint32_t value = 0;
    if (data.size() == 4) std::memcpy(&value, data.data(), 4);
    return value;
}

void ResetPlayerSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Veqo\\Melodrix");
}

std::optional<StoredValue> ReadStored(const char* subKey, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(subKey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
}

namespace {

void Write(const char* subKey, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

}  // namespace

void WriteDword(const char* subKey, const char* name, uint32_t value) {
    Write(subKey, name, REG_DWORD, &value, 4);
}

void WriteString(const char* subKey, const char* name, const char* value) {
    Write(subKey, name, REG_SZ, value, static_cast<DWORD>(std::strlen(value) + 1));
}

std::vector<std::string> ReadNumberedList(const char* subKey) {
    std::vector<std::string> names;
    for (int i = 0;; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d", i);
        const auto value = ReadStored(subKey, name);
        if (!value) return names;
        names.push_back(value->AsString());
    }
}

void WriteNumberedList(const char* subKey, const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d", static_cast<int>(i));
        WriteString(subKey, name, names[i].c_str());
    }
}
