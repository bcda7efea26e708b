// Reading direction of the settings exchange.
#include "app/SettingsKeyReader.h"

#include <cstdio>
#include <cstring>

#include "app/containers/ShiftJis.h"
#include "app/containers/StringList.h"

namespace {

// Buffer of one list entry: a longer string is cut at a character boundary to fit it with its terminator.
constexpr std::uint32_t kListEntryBytes = 4096;
// Values read whole (lists, entries to cut) larger than this are corrupt and count as unreadable.
constexpr std::uint32_t kLargestValueBytes = 1024 * 1024;

// Length of the string at text, which has no terminator when it fills all available bytes.
std::size_t BoundedLength(const char* text, std::size_t available) {
    const void* end = std::memchr(text, '\0', available);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : available;
}

bool IsString(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz;
}

}  // namespace

SettingsKeyReader::SettingsKeyReader(RegRoot root, const char* path) {
    Open(root, path);
}

int SettingsKeyReader::Open(RegRoot root, const char* path) {
    return OpenForReading(root, path);
}

RegStatus SettingsKeyReader::Fetch(const char* name, std::uint32_t capacity, bool grow, std::uint32_t* type,
                                   std::uint32_t* size) {
    if (!isOpen) {
        return RegStatus::kFailed;
    }
    // The value may change size between two queries; a few attempts are plenty.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (scratch.size() < static_cast<std::size_t>(capacity) + 1) {
            scratch.resize(static_cast<std::size_t>(capacity) + 1);
        }
        *size = capacity;
        const RegStatus status = QueryValue(name, type, scratch.data(), size);
        if (status == RegStatus::kOk && *size <= capacity) {
            scratch[*size] = '\0';
            return status;
        }
        if (status != RegStatus::kMoreData || !grow || *size > kLargestValueBytes) {
            return status == RegStatus::kOk ? RegStatus::kFailed : status;
        }
        capacity = *size;
    }
    return RegStatus::kMoreData;
}

int SettingsKeyReader::Int(const char* name, std::int32_t& variable) {
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    if (Fetch(name, 4, false, &type, &size) != RegStatus::kOk || type != kRegDword || size != 4) {
        return 0;
    }
    // Registry numbers are little-endian whatever the host.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(scratch.data());
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    std::memcpy(&variable, &value, sizeof variable);
    return 1;
}

int SettingsKeyReader::Block(const char* name, void* buffer, std::uint32_t size) {
    // A record of another length would leave a mix of stored and old bytes: keep the old record whole.
    std::uint32_t type = kRegNone;
    std::uint32_t stored = 0;
    if (Fetch(name, size, false, &type, &stored) != RegStatus::kOk || type != kRegBinary || stored != size) {
        return 0;
    }
    std::memcpy(buffer, scratch.data(), size);
    return 1;
}

int SettingsKeyReader::SizedBlock(const char* name, void* buffer, std::uint32_t /*size*/, std::uint32_t maximum) {
    std::uint32_t type = kRegNone;
    std::uint32_t stored = 0;
    if (Fetch(name, maximum, false, &type, &stored) != RegStatus::kOk || type != kRegBinary || stored == 0) {
        return 0;
    }
    std::memcpy(buffer, scratch.data(), stored);
    return static_cast<int>(stored);
}

int SettingsKeyReader::Text(const char* name, char* buffer, std::uint32_t size) {
    // Read aside first: the platform leaves the buffer undefined when a value does not fit it.
    std::uint32_t type = kRegNone;
    std::uint32_t stored = 0;
    if (Fetch(name, size, false, &type, &stored) != RegStatus::kOk || !IsString(type)) {
        return 0;
    }
    // The stored bytes need not end in a terminator; a string that leaves no room for one does not fit.
    const std::size_t length = BoundedLength(scratch.data(), stored);
    if (length >= size) {
        return 0;
    }
    std::memcpy(buffer, scratch.data(), length);
    std::memset(buffer + length, 0, size - length);
    return 1;
}

int SettingsKeyReader::NumberedList(StringList& list) {
    if (!isOpen) {
        return 0;
    }
    // A missing number ends the list. An entry that is no string, or too large to read at all, is skipped
    // so the entries after it survive; saving then numbers the list afresh.
    for (int number = 0;; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d", number);
        std::uint32_t type = kRegNone;
        std::uint32_t stored = 0;
        const RegStatus status = Fetch(name, kListEntryBytes, true, &type, &stored);
        if (status == RegStatus::kNotFound || status == RegStatus::kFailed) {
            return 1;
        }
        if (status != RegStatus::kOk || !IsString(type)) {
            continue;
        }
        const std::size_t length = BoundedLength(scratch.data(), stored);
        scratch[ShiftJisFitLength(scratch.data(), length, kListEntryBytes - 1)] = '\0';
        if (!list.InsertString(-1, scratch.data())) {
            return 0;
        }
    }
}

int SettingsKeyReader::PackedList(const char* name, StringList& list) {
    list.Clear();
    std::uint32_t type = kRegNone;
    std::uint32_t stored = 0;
    if (Fetch(name, kListEntryBytes, true, &type, &stored) != RegStatus::kOk || type != kRegBinary) {
        return 0;
    }
    // Anything but strings each with its terminator, closed by the last byte 0, reads as an empty list.
    if (stored <= 2 || scratch[stored - 1] != '\0') {
        return 1;
    }
    for (std::uint32_t position = 0; position < stored;) {
        const char* text = scratch.data() + position;
        const std::size_t length = std::strlen(text);
        if (length == 0) {
            break;
        }
        if (!list.InsertString(-1, text)) {
            return 0;
        }
        position += static_cast<std::uint32_t>(length) + 1;
    }
    return 1;
}
