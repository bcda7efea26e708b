// The setup files a Recomposer song can name: a .CM6 file (MT-32 / CM-64 sound settings) and a
// .GSD file (GS sound settings), turned into the Roland data-set messages that send them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One message and the pause the instrument needs after it before the next.
struct SetupMessage {
    std::vector<std::uint8_t> bytes;
    std::uint32_t pauseMs = 0;
};

// Data bytes per message: a size every MT-32 and GS module takes in one go.
constexpr std::size_t kSetupChunkBytes = 128;

// The messages of a .CM6 file, or none when the bytes are not one (too short, wrong identification).
// The CM-32P areas are sent only for a CM-64 setup.
std::vector<SetupMessage> Cm6SetupMessages(const std::uint8_t* data, std::size_t size);

// The messages of a .GSD file, starting with a GS reset; none when the bytes are not one.
std::vector<SetupMessage> GsdSetupMessages(const std::uint8_t* data, std::size_t size);

// The pause after a setup message: its time on a 31250 baud MIDI cable plus 20 ms for the
// instrument to store it.
std::uint32_t SetupPauseMs(std::size_t messageBytes);
