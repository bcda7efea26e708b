// A readable, seekable run of bytes as the song-file parsers see it: the unbuffered file reader
// on Windows, a block of memory in tests and fuzzers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// Where a relative seek counts from.
enum class SeekOrigin { kBegin = 0, kCurrent = 1, kEnd = 2 };

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to count bytes from the current position and advances past them; answers the
    // number delivered, 0 on error or at the end.
    virtual std::uint32_t Read(void* destination, std::uint32_t count) = 0;
    // Moves the position (kEnd counts backwards from the end) and answers the new position,
    // clamped to 0 ... Size().
    virtual std::uint32_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::uint32_t Size() const = 0;
    virtual std::uint32_t Position() const = 0;
};

// The clamped target of a seek, shared by every source so they agree on the edges.
inline std::uint32_t ClampedSeekTarget(std::uint32_t position,
                                       std::uint32_t size,
                                       std::int64_t offset,
                                       SeekOrigin origin) {
    std::int64_t target = offset;
    if (origin == SeekOrigin::kCurrent) {
        target = static_cast<std::int64_t>(position) + offset;
    } else if (origin == SeekOrigin::kEnd) {
        target = static_cast<std::int64_t>(size) - offset;
    }
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(target, 0, size));
}

// A source over bytes held in memory.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {}

    std::uint32_t Read(void* destination, std::uint32_t count) override {
        const std::uint32_t available = Size() - position;
        const std::uint32_t delivered = std::min(count, available);
        if (delivered > 0) {
            std::memcpy(destination, data.data() + position, delivered);
        }
        position += delivered;
        return delivered;
    }
    std::uint32_t Seek(std::int64_t offset, SeekOrigin origin) override {
        position = ClampedSeekTarget(position, Size(), offset, origin);
        return position;
    }
    std::uint32_t Size() const override { return static_cast<std::uint32_t>(data.size()); }
    std::uint32_t Position() const override { return position; }

private:
    std::vector<std::uint8_t> data;
    std::uint32_t position = 0;
};
