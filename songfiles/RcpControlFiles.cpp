// .CM6 and .GSD setup files as Roland data-set messages.
#include "songfiles/RcpControlFiles.h"

#include <algorithm>
#include <cstring>

#include "songfiles/RcpExclusive.h"

namespace {

constexpr std::uint8_t kRolandDevice = 0x10;
constexpr std::uint8_t kMt32Model = 0x16;
constexpr std::uint8_t kGsModel = 0x42;
constexpr std::uint32_t kGsResetPauseMs = 50;

constexpr std::size_t kCm6Bytes = 0x5849;
constexpr std::size_t kGsdBytes = 0xA71;

// An area of a setup file and the address it is written to.
struct Area {
    std::size_t offset;
    std::size_t bytes;
    std::uint32_t address;
};

constexpr Area kMt32Areas[] = {
    {0x0080, 0x17, RolandAddress(0x10, 0x00, 0x00)},    // system
    {0x00A0, 0x90, RolandAddress(0x03, 0x00, 0x00)},    // patch temporary area
    {0x0130, 0x154, RolandAddress(0x03, 0x01, 0x10)},   // rhythm setup
    {0x0284, 0x7B0, RolandAddress(0x04, 0x00, 0x00)},   // timbre temporary area
    {0x0A34, 0x400, RolandAddress(0x05, 0x00, 0x00)},   // patch memory
    {0x0E34, 0x4000, RolandAddress(0x08, 0x00, 0x00)},  // timbre memory
};
constexpr Area kCm32pAreas[] = {
    {0x4E34, 0x7E, RolandAddress(0x50, 0x00, 0x00)},   // patch temporary area
    {0x4EB2, 0x980, RolandAddress(0x51, 0x00, 0x00)},  // patch memory
    {0x5832, 0x11, RolandAddress(0x52, 0x00, 0x00)},   // system
};

void AddMessage(std::vector<SetupMessage>& messages, std::vector<std::uint8_t> bytes) {
    const std::uint32_t pause = SetupPauseMs(bytes.size());
    messages.push_back({std::move(bytes), pause});
}

// Sends an area in chunks; the 21-bit addresses carry in 7-bit steps as the instruments count.
void AddArea(std::vector<SetupMessage>& messages,
             std::uint8_t model,
             const std::uint8_t* data,
             std::size_t bytes,
             std::uint32_t address) {
    for (std::size_t done = 0; done < bytes; done += kSetupChunkBytes) {
        const std::size_t count = std::min(kSetupChunkBytes, bytes - done);
        AddMessage(messages,
                   RolandDataSet(kRolandDevice, model, address + static_cast<std::uint32_t>(done), data + done, count));
    }
}

bool StartsWith(const std::uint8_t* data, std::size_t offset, const char* text) {
    return std::memcmp(data + offset, text, std::strlen(text)) == 0;
}

// GS part blocks: part 10 (the rhythm part) is block 0, parts 1-9 blocks 1-9, parts 11-16 A-F.
std::uint8_t GsBlock(std::size_t channel) {
    return static_cast<std::uint8_t>(channel == 9 ? 0 : channel < 9 ? channel + 1 : channel);
}

void AddGsdParts(std::vector<SetupMessage>& messages, const std::uint8_t* data) {
    std::uint8_t voiceReserve[16] = {};
    for (std::size_t channel = 0; channel < 16; ++channel) {
        const std::uint8_t* part = data + 0x36 + channel * 0x7A;
        const std::uint8_t block = GsBlock(channel);
        AddArea(messages, kGsModel, part, 0x23, RolandAddress(0x40, 0x10 | block, 0x00));
        AddArea(messages, kGsModel, part + 0x23, 8, RolandAddress(0x40, 0x10 | block, 0x30));   // tone modify
        AddArea(messages, kGsModel, part + 0x2B, 12, RolandAddress(0x40, 0x10 | block, 0x40));  // scale tuning
        for (std::uint8_t controller = 0; controller < 6; ++controller) {
            AddArea(messages, kGsModel, part + 0x37 + controller * 0x0B, 0x0B,
                    RolandAddress(0x40, 0x20 | block, static_cast<std::uint8_t>(controller * 0x10)));
        }
        voiceReserve[block] = part[0x79];
    }
    AddArea(messages, kGsModel, voiceReserve, sizeof voiceReserve, RolandAddress(0x40, 0x01, 0x10));
}

// Each drum map holds level, pan, reverb and chorus for the 82 keys 27-108, four bytes per key;
// they go out as one message per map and parameter.
void AddGsdDrums(std::vector<SetupMessage>& messages, const std::uint8_t* data) {
    constexpr std::size_t kKeys = 82;
    constexpr std::uint8_t kFirstKey = 27;
    for (std::uint8_t map = 0; map < 2; ++map) {
        const std::uint8_t* drums = data + 0x07D6 + map * 0x14C;
        for (std::uint8_t parameter = 0; parameter < 4; ++parameter) {
            std::uint8_t values[kKeys];
            for (std::size_t key = 0; key < kKeys; ++key) {
                values[key] = drums[key * 4 + parameter];
            }
            AddArea(messages, kGsModel, values, kKeys,
                    RolandAddress(0x41, static_cast<std::uint8_t>((map << 4) | (parameter + 1)), kFirstKey));
        }
    }
}

}  // namespace

std::uint32_t SetupPauseMs(std::size_t messageBytes) {
    // 10 bits a byte at 31250 baud: 320 microseconds.
    return static_cast<std::uint32_t>((messageBytes * 32 + 99) / 100) + 20;
}

std::vector<SetupMessage> Cm6SetupMessages(const std::uint8_t* data, std::size_t size) {
    std::vector<SetupMessage> messages;
    if (data == nullptr || size < kCm6Bytes || !StartsWith(data, 0, "COME ON MUSIC")) {
        return messages;
    }
    for (const Area& area : kMt32Areas) {
        AddArea(messages, kMt32Model, data + area.offset, area.bytes, area.address);
    }
    if (StartsWith(data, 0x10, "R CM-64")) {
        for (const Area& area : kCm32pAreas) {
            AddArea(messages, kMt32Model, data + area.offset, area.bytes, area.address);
        }
    }
    return messages;
}

std::vector<SetupMessage> GsdSetupMessages(const std::uint8_t* data, std::size_t size) {
    std::vector<SetupMessage> messages;
    if (data == nullptr || size < kGsdBytes || !StartsWith(data, 0, "COME ON MUSIC") ||
        !StartsWith(data, 0x0E, "GS CONTROL 1.0")) {
        return messages;
    }
    const std::uint8_t reset = 0x00;
    messages.push_back(
        {RolandDataSet(kRolandDevice, kGsModel, RolandAddress(0x40, 0x00, 0x7F), &reset, 1), kGsResetPauseMs});
    // Master tune: a 14-bit fine tuning (0x2000 = none, +-1 semitone) as the four nibbles of the
    // GS value 0x18-0x7E8 (0x400 = none).
    const std::uint32_t fine = std::min<std::uint32_t>(data[0x0A6E] | (data[0x0A6F] << 8), 0x3FFF);
    const std::uint32_t tune = 0x18 + fine * (0x7E8 - 0x18) / 0x3FFF;
    const std::uint8_t nibbles[] = {
        static_cast<std::uint8_t>((tune >> 12) & 0x0F), static_cast<std::uint8_t>((tune >> 8) & 0x0F),
        static_cast<std::uint8_t>((tune >> 4) & 0x0F), static_cast<std::uint8_t>(tune & 0x0F)};
    AddArea(messages, kGsModel, nibbles, 4, RolandAddress(0x40, 0x00, 0x00));
    // Master volume, key shift and pan; the file's other system bytes have no known address.
    AddArea(messages, kGsModel, data + 0x20, 3, RolandAddress(0x40, 0x00, 0x04));
    AddArea(messages, kGsModel, data + 0x27, 7, RolandAddress(0x40, 0x01, 0x30));  // reverb
    AddArea(messages, kGsModel, data + 0x2E, 8, RolandAddress(0x40, 0x01, 0x38));  // chorus
    AddGsdParts(messages, data);
    AddGsdDrums(messages, data);
    return messages;
}
