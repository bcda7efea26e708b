// Recognises the first MPEG audio Layer III frame header of an MP3 file and builds the
// MPEG Layer-3 wave format that hands the stream to the system's decoder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "devices/ByteSource.h"

// How far into the file the first frame header is looked for.
constexpr std::uint32_t kMpegSearchBytes = 1024;
// An ID3 version 1 tag: the last 128 bytes of the file, starting with "TAG".
constexpr std::uint32_t kId3v1TagBytes = 128;
// WAVEFORMATEX (18 bytes) followed by the MPEG Layer-3 extension (12 bytes).
constexpr std::size_t kMpegLayer3FormatBytes = 30;
constexpr std::uint16_t kMpegLayer3Tag = 0x0055;

struct MpegFrameHeader {
    bool mpeg1 = true;  // the ID bit: MPEG-1, else MPEG-2
    std::uint32_t bitRateKbps = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t channels = 2;  // 1 for the single-channel mode
};

// The offset of the first frame sync (0xFF followed by a byte of at least 0xF0) whose four
// header bytes all lie inside data.
std::optional<std::size_t> FindMpegFrameSync(const std::uint8_t* data, std::size_t size);

// Decodes a header (its four bytes most significant first); nothing for a layer other than III
// or a free, reserved or invalid bit-rate or sample-rate index.
std::optional<MpegFrameHeader> ParseMpegFrameHeader(std::uint32_t header);

// The 30-byte little-endian MPEG Layer-3 format block for header.
std::array<std::uint8_t, kMpegLayer3FormatBytes> BuildMpegLayer3Format(const MpegFrameHeader& header);

enum class Mp3Result { kOk, kNoFrameHeader, kUnsupportedHeader };

struct Mp3Layout {
    MpegFrameHeader header;
    std::array<std::uint8_t, kMpegLayer3FormatBytes> format{};
    std::uint32_t fileSize = 0;
    std::uint32_t dataStart = 0;   // offset of the first frame header
    std::uint32_t dataLength = 0;  // from dataStart to the end, less an ID3 version 1 tag
    std::uint32_t avgBytesPerSec = 0;
    // For a variable rate: the offset of every frame from dataStart, for frame-exact seeking.
    // Empty for a constant rate.
    std::vector<std::uint32_t> frameStarts;
};

// Looks for the first frame header in the first kMpegSearchBytes behind any ID3 version 2 tag
// and lays out the stream. Its rate is the first frame's for a constant bit rate, else the average
// that the stream's frame count gives.
Mp3Result ParseMp3(ByteSource& source, Mp3Layout& layout);
