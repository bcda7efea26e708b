// The system-exclusive messages of a Recomposer song: user and channel exclusive templates with
// their placeholders, the instrument parameter commands, and Roland data-set messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Expands an exclusive template (data without its leading F0, ending at F7 or its end) into a
// whole message F0 ... F7. Placeholders: 80 the first parameter, 81 the second, 82 the channel,
// 83 starts a Roland checksum, 84 puts it. Other bytes above 7F cannot be sent and are left out.
std::vector<std::uint8_t> ExpandExclusive(const std::vector<std::uint8_t>& data,
                                          std::uint8_t p1,
                                          std::uint8_t p2,
                                          std::uint8_t channel);

// The addresses and devices the parameter commands D0, D1, DD and DF set for later commands.
struct InstrumentParameterState {
    std::uint8_t yamahaHigh = 0, yamahaMid = 0, yamahaDevice = 0x10, yamahaModel = 0x4C;
    std::uint8_t rolandHigh = 0, rolandMid = 0, rolandDevice = 0x10, rolandModel = 0x42;
};

// Handles a Roland or Yamaha parameter command (C0-CF, D0-D3, DC-DF). Answers true when the
// command is one of them; message is then the exclusive message it sends, or empty when it only
// sets state.
bool InstrumentParameterCommand(std::uint8_t command,
                                std::uint8_t p1,
                                std::uint8_t p2,
                                std::uint8_t channel,
                                InstrumentParameterState& state,
                                std::vector<std::uint8_t>& message);

// A Roland data set (DT1) message: F0 41 device model 12, the 21-bit address as three 7-bit
// bytes, the data, the checksum over address and data, F7.
std::vector<std::uint8_t> RolandDataSet(std::uint8_t device,
                                        std::uint8_t model,
                                        std::uint32_t address,
                                        const std::uint8_t* data,
                                        std::size_t count);

// A 21-bit Roland address from its three 7-bit bytes.
constexpr std::uint32_t RolandAddress(std::uint8_t high, std::uint8_t mid, std::uint8_t low) {
    return (std::uint32_t{high} << 14) | (std::uint32_t{mid} << 7) | low;
}
