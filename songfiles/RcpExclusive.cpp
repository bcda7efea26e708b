// Exclusive messages of Recomposer songs.
#include "songfiles/RcpExclusive.h"

namespace {

constexpr std::uint8_t kRoland = 0x41;
constexpr std::uint8_t kYamaha = 0x43;

std::uint8_t Checksum(std::uint32_t sum) {
    return static_cast<std::uint8_t>((128 - (sum & 0x7F)) & 0x7F);
}

// The Yamaha commands C0-CF that send F0 43 (10+channel) followed by fixed bytes and p1 p2.
struct YamahaCommand {
    std::uint8_t command;
    std::uint8_t prefix[2];
    std::uint8_t prefixCount;
};

constexpr YamahaCommand kYamahaCommands[] = {
    {0xC0, {0x08}, 1}, {0xC1, {0x00}, 1}, {0xC2, {0x04}, 1}, {0xC3, {0x11}, 1},       {0xC5, {0x15}, 1},
    {0xC7, {0x12}, 1}, {0xC8, {0x13}, 1}, {0xC9, {0x10}, 1}, {0xCA, {0x10, 0x7B}, 2}, {0xCB, {0x10, 0x7C}, 2},
    {0xCC, {0x1B}, 1}, {0xCD, {0x18}, 1}, {0xCE, {0x19}, 1}, {0xCF, {0x1A}, 1},
};

}  // namespace

std::vector<std::uint8_t> ExpandExclusive(const std::vector<std::uint8_t>& data,
                                          std::uint8_t p1,
                                          std::uint8_t p2,
                                          std::uint8_t channel) {
    std::vector<std::uint8_t> message = {0xF0};
    std::uint32_t sum = 0;
    auto put = [&](std::uint8_t value) {
        value &= 0x7F;
        message.push_back(value);
        sum += value;
    };
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint8_t byte = data[i];
        if (byte == 0xF7) {
            break;
        }
        switch (byte) {
            case 0x80:
                put(p1);
                break;
            case 0x81:
                put(p2);
                break;
            case 0x82:
                put(channel);
                break;
            case 0x83:
                sum = 0;
                break;
            case 0x84:
                put(Checksum(sum));
                break;
            default:
                if (byte < 0x80) {
                    put(byte);
                }
                break;
        }
    }
    message.push_back(0xF7);
    return message;
}

bool InstrumentParameterCommand(std::uint8_t command,
                                std::uint8_t p1,
                                std::uint8_t p2,
                                std::uint8_t channel,
                                InstrumentParameterState& state,
                                std::vector<std::uint8_t>& message) {
    message.clear();
    p1 &= 0x7F;
    p2 &= 0x7F;
    channel &= 0x0F;
    for (const YamahaCommand& yamaha : kYamahaCommands) {
        if (yamaha.command == command) {
            message = {0xF0, kYamaha, static_cast<std::uint8_t>(0x10 + channel)};
            message.insert(message.end(), yamaha.prefix, yamaha.prefix + yamaha.prefixCount);
            message.insert(message.end(), {p1, p2, 0xF7});
            return true;
        }
    }
    switch (command) {
        case 0xC6:
            message = {0xF0, kYamaha, 0x75, channel, 0x10, p1, p2, 0xF7};
            return true;
        case 0xD0:
            state.yamahaHigh = p1;
            state.yamahaMid = p2;
            return true;
        case 0xD1:
            state.yamahaDevice = p1;
            state.yamahaModel = p2;
            return true;
        case 0xD2:
            message = {0xF0, kYamaha, state.yamahaDevice, state.yamahaModel, state.yamahaHigh, state.yamahaMid, p1,
                       p2,   0xF7};
            return true;
        case 0xD3:
            message = {0xF0, kYamaha, 0x10, 0x4C, state.yamahaHigh, state.yamahaMid, p1, p2, 0xF7};
            return true;
        case 0xDC:
            message = {0xF0, kRoland, 0x32, channel, p1, p2, 0xF7};
            return true;
        case 0xDD:
            state.rolandHigh = p1;
            state.rolandMid = p2;
            return true;
        case 0xDE: {
            const std::uint8_t data = p2;
            message = RolandDataSet(state.rolandDevice, state.rolandModel,
                                    RolandAddress(state.rolandHigh, state.rolandMid, p1), &data, 1);
            return true;
        }
        case 0xDF:
            state.rolandDevice = p1;
            state.rolandModel = p2;
            return true;
        default:
            return false;
    }
}

std::vector<std::uint8_t> RolandDataSet(std::uint8_t device,
                                        std::uint8_t model,
                                        std::uint32_t address,
                                        const std::uint8_t* data,
                                        std::size_t count) {
    std::vector<std::uint8_t> message = {0xF0, kRoland, static_cast<std::uint8_t>(device & 0x7F),
                                         static_cast<std::uint8_t>(model & 0x7F), 0x12};
    std::uint32_t sum = 0;
    const std::uint8_t addressBytes[] = {static_cast<std::uint8_t>((address >> 14) & 0x7F),
                                         static_cast<std::uint8_t>((address >> 7) & 0x7F),
                                         static_cast<std::uint8_t>(address & 0x7F)};
    for (std::uint8_t byte : addressBytes) {
        message.push_back(byte);
        sum += byte;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = data[i] & 0x7F;
        message.push_back(byte);
        sum += byte;
    }
    message.push_back(Checksum(sum));
    message.push_back(0xF7);
    return message;
}
