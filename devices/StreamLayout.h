// The arithmetic of the wave stream player: buffer sizes, whole-buffer data lengths, and the
// conversions between byte offsets into the audio data and milliseconds.
#pragma once

#include <cstdint>

// Bytes per streaming buffer: at least the requested size and at least one block, then grown
// by a whole block past the last block boundary. A block that already divides the size still
// adds one (1024 bytes of 4-byte frames give 1028), which keeps every buffer a whole number of
// blocks. Answers 0 for a format without a block size.
std::uint32_t StreamBufferLength(std::uint32_t requestedBytes, std::uint32_t blockAlign);

// The data length that is streamed: whole buffers only, the shorter tail is never played.
std::uint32_t WholeBufferLength(std::uint32_t dataLength, std::uint32_t bufferLength);

// Milliseconds of a byte count at avgBytesPerSec, in steps of 10 ms and counted in 64 bits so
// that long files do not overflow; clamped to the largest 32-bit signed value. Answers 0 for
// a rate below 10 bytes per second (such formats are refused when a song opens).
std::int32_t StreamBytesToMs(std::uint64_t bytes, std::uint32_t avgBytesPerSec);

// The byte offset of a position in milliseconds, rounded down to whole blocks, in 64 bits and
// clamped to dataLength.
std::uint32_t StreamMsToBytes(std::uint32_t milliseconds,
                              std::uint32_t avgBytesPerSec,
                              std::uint32_t blockAlign,
                              std::uint32_t dataLength);

// Where the next play starts after a stop: the offset of the stopped play plus the bytes the
// device reports as played, rounded down to whole blocks and clamped to dataLength.
std::uint32_t StreamStoppedOffset(std::uint32_t startOffset,
                                  std::uint32_t playedBytes,
                                  std::uint32_t blockAlign,
                                  std::uint32_t dataLength);
