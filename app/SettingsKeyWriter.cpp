// Writing direction of the settings exchange.
#include "app/SettingsKeyWriter.h"

#include <cstdio>
#include <cstring>

#include "app/containers/StringList.h"

SettingsKeyWriter::SettingsKeyWriter(RegRoot root, const char* path) {
    Open(root, path);
}

int SettingsKeyWriter::Open(RegRoot root, const char* path) {
    return OpenOrCreate(root, path);
}

int SettingsKeyWriter::Int(const char* name, std::int32_t& variable) {
    std::uint32_t value = 0;
    std::memcpy(&value, &variable, sizeof value);
    // Registry numbers are little-endian whatever the host.
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return SetValue(name, kRegDword, bytes, sizeof bytes);
}

int SettingsKeyWriter::Block(const char* name, void* buffer, std::uint32_t size) {
    return SetValue(name, kRegBinary, buffer, size);
}

int SettingsKeyWriter::SizedBlock(const char* name, void* buffer, std::uint32_t size, std::uint32_t /*maximum*/) {
    return SetValue(name, kRegBinary, buffer, size) ? static_cast<int>(size) : 0;
}

int SettingsKeyWriter::Text(const char* name, char* buffer, std::uint32_t size) {
    // A buffer whose string fills it without a terminator is written up to its end, terminated.
    const void* end = std::memchr(buffer, '\0', size);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer) : size;
    scratch.assign(buffer, buffer + length);
    scratch.push_back('\0');
    return SetValue(name, kRegSz, scratch.data(), static_cast<std::uint32_t>(scratch.size()));
}

int SettingsKeyWriter::NumberedList(StringList& list) {
    if (!isOpen) {
        return 0;
    }
    int result = 1;
    char name[16];
    const int count = list.Count();
    for (int number = 0; number < count; ++number) {
        const char* text = list.StringAt(number);
        std::snprintf(name, sizeof name, "%04d", number);
        if (!SetValue(name, kRegSz, text, static_cast<std::uint32_t>(std::strlen(text) + 1))) {
            result = 0;
        }
    }
    // Entries left from a longer list end at the first number that is not there.
    for (int number = count;; ++number) {
        std::snprintf(name, sizeof name, "%04d", number);
        if (!DeleteValue(name)) {
            break;
        }
    }
    return result;
}

int SettingsKeyWriter::PackedList(const char* name, StringList& list) {
    scratch.clear();
    const int count = list.Count();
    for (int index = 0; index < count; ++index) {
        const char* text = list.StringAt(index);
        scratch.insert(scratch.end(), text, text + std::strlen(text) + 1);
    }
    scratch.push_back('\0');
    return SetValue(name, kRegBinary, scratch.data(), static_cast<std::uint32_t>(scratch.size()));
}
