// Loads settings from a registry filled from the fuzz input, then checks that every loaded text ends inside
// its buffer, the format claims no more than its area, and a save and second load give the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/MemoryRegistry.h"
#include "app/Settings.h"

namespace {

struct KnownKey {
    const char* subKey;
    std::vector<const char*> names;
};

const std::vector<KnownKey>& KnownKeys() {
    static const std::vector<KnownKey> keys = {
        {"Player", {"Player_x", "Player_y", "TopMost", "Text_x", "Font", "FlatWidth", "FixWindow"}},
        {"Directory", {"List", "CD"}},
        {"Play", {"TimerInterval", "SeekStep", "StopClose"}},
        {"File", {"LastDirectory", "FilterIndex", "ListEditLastWildCard", "LastSong"}},
        {"File\\History", {"0000", "0001", "0002", "0003", "0004", "0005"}},
        {"CD", {"LastDrive"}},
        {"Wave", {"SelfPlay", "DeviceID"}},
        {"Volume", {"CD_Volume_ID", "MIDI_Volume_ID"}},
        {"Record", {"Record_x", "DeviceID", "Format", "LastDirectory_Single", "Mode"}},
    };
    return keys;
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool Empty() const { return position >= size; }
    std::uint8_t Byte() { return position < size ? data[position++] : 0; }
    std::string Bytes(std::size_t count) {
        const std::size_t taken = count < size - position ? count : size - position;
        std::string bytes(reinterpret_cast<const char*>(data + position), taken);
        position += taken;
        return bytes;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};

std::string KeyPath(const char* subKey) {
    return std::string(kSettingsBasePath) + "\\" + subKey;
}

// Each record: key, name (a known one or made of the input), type, 16-bit size, data.
void FillRegistry(Input& input, MemoryRegistry& registry) {
    const std::vector<KnownKey>& keys = KnownKeys();
    const std::uint8_t failing = input.Byte();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (failing & 0x80 && (failing & 0x0F) == i) {
            registry.FailKey(KeyPath(keys[i].subKey).c_str());
        }
    }
    while (!input.Empty()) {
        const KnownKey& key = keys[input.Byte() % keys.size()];
        const std::uint8_t nameChoice = input.Byte();
        std::string name;
        if (nameChoice < 0xF0) {
            name = key.names[nameChoice % key.names.size()];
        } else {
            name = input.Bytes(nameChoice & 0x0F);
        }
        const std::uint32_t type = input.Byte() % 6;
        std::size_t length = input.Byte();
        length |= static_cast<std::size_t>(input.Byte()) << 8;
        const std::string value = input.Bytes(length);
        registry.Put(kSettingsRoot, KeyPath(key.subKey).c_str(), name.c_str(), type, value.data(),
                     static_cast<std::uint32_t>(value.size()));
    }
}

void RequireTerminated(const char* text, std::size_t size) {
    if (!std::memchr(text, '\0', size)) {
        std::abort();
    }
}

void CheckLoaded() {
    const Settings& s = gSettings;
    RequireTerminated(s.player.Font.faceName, sizeof s.player.Font.faceName);
    for (const char* text :
         {s.directory.List, s.directory.CD, s.file.LastDirectory, s.file.ListEditLastDirectory,
          s.file.ListEditLastWildCard, s.cd.LastDrive, s.record.LastDirectory_Single, s.record.LastDirectory_Multi}) {
        RequireTerminated(text, kPathBytes);
    }
    if (s.record.Format.extraSize > kWaveFormatMaxExtraBytes) {
        std::abort();
    }
    for (int i = 0; i < FileHistory.Count(); ++i) {
        if (FileHistory.StringLength(i) >= 4096) {
            std::abort();
        }
    }
}

std::vector<std::string> History() {
    std::vector<std::string> history;
    for (int i = 0; i < FileHistory.Count(); ++i) {
        history.emplace_back(FileHistory.StringAt(i));
    }
    return history;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryRegistry registry;
    Input input(data, size);
    FillRegistry(input, registry);
    SetActiveRegistry(&registry);

    ResetSettingsToDefaults();
    LoadSettings();
    CheckLoaded();
    const Settings loaded = gSettings;
    const std::vector<std::string> history = History();

    SaveSettings();
    ResetSettingsToDefaults();
    LoadSettings();
    if (std::memcmp(&loaded, &gSettings, sizeof loaded) != 0 || History() != history) {
        std::abort();
    }

    ResetSettingsToDefaults();
    SetActiveRegistry(nullptr);
    return 0;
}
