// A wave-input device, message queue, message boxes and files in memory for the recorder's
// tests. The "driver" hands buffers back through a queue of pending notifications that
// DispatchOneMessage delivers to the owner, as the window's queue does.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "recorder/WaveInPort.h"

// A file kept in memory; a byte budget plays a disk that fills up.
class MemoryRecordFile final : public RecordFile {
public:
    struct Disk {
        std::map<std::string, std::vector<std::uint8_t>> files;
        std::uint64_t freeBytes = ~std::uint64_t{0};
        bool countOnly = false;  // keeps only the first bytes (a 4 GB file without 4 GB of memory)
        std::map<std::string, std::uint64_t> sizes;
    };

    MemoryRecordFile(Disk& disk, std::string path) : disk(disk), path(std::move(path)) {
        disk.files[this->path].clear();
        disk.sizes[this->path] = 0;
    }

    std::uint32_t Write(const void* data, std::uint32_t size) override {
        const std::uint32_t room = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, disk.freeBytes));
        disk.freeBytes -= room;
        auto& bytes = disk.files[path];
        const auto* first = static_cast<const std::uint8_t*>(data);
        if (!disk.countOnly || bytes.size() < 4096) {
            bytes.insert(bytes.end(), first, first + room);
        }
        disk.sizes[path] += room;
        failure = room == size ? WriteFailure::kNone : WriteFailure::kDiskFull;
        return room;
    }
    bool WriteAt(std::uint32_t offset, const void* data, std::uint32_t size) override {
        auto& bytes = disk.files[path];
        if (offset + size > bytes.size()) {
            return false;
        }
        std::memcpy(bytes.data() + offset, data, size);
        return true;
    }
    bool Close() override {
        closed = true;
        return true;
    }
    void Discard() override {
        disk.files.erase(path);
        disk.sizes.erase(path);
    }
    WriteFailure LastFailure() const override { return failure; }
    std::string FailureText() const override { return failure == WriteFailure::kNone ? "" : "system reason"; }

private:
    Disk& disk;
    std::string path;
    WriteFailure failure = WriteFailure::kNone;
    bool closed = false;
};

class FakeWaveInPort final : public WaveInPort {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageStyle style;
    };
    struct Buffer {
        std::vector<std::uint8_t> data;
        std::uint32_t recorded = 0;
        bool prepared = false;
        bool queued = false;
        bool done = false;
    };

    // Settings of the fake.
    std::uint32_t deviceCount = 2;
    bool allocationFails = false;
    std::uint32_t openResult = kWaveResultOk;
    int prepareFailsAt = -1;
    int addBufferFailsAt = -1;
    std::uint32_t startResult = kWaveResultOk;
    bool createFails = false;
    bool neverCloses = false;
    // Where the created files are seen by FileExists.
    MemoryFileSystem* fileSystem = nullptr;

    // What happened.
    std::vector<Message> messages;
    std::vector<std::string> calls;
    std::int32_t openedDevice = -99;
    WaveFormatRecord openedFormat{};
    bool deviceOpen = false;
    bool started = false;
    bool gaveUpBuffers = false;
    int dispatchCalls = 0;
    MemoryRecordFile::Disk disk;
    std::vector<Buffer> buffers;

    // The owner window: receives each delivered notification as (message, header).
    std::function<void(std::uint32_t, std::uintptr_t)> owner;
    // Other messages waiting in the thread's queue (clicks, song ends), run when dispatched.
    std::deque<std::function<void()>> queue;

    // The driver fills the oldest queued buffer with bytes (at most a buffer's size) and posts
    // its notification. False when no buffer is queued.
    bool Capture(const std::vector<std::uint8_t>& bytes) {
        if (order.empty()) {
            return false;
        }
        const std::uint32_t index = order.front();
        order.pop_front();
        Buffer& buffer = buffers[index];
        const std::size_t count = std::min(bytes.size(), buffer.data.size());
        std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count), buffer.data.begin());
        buffer.recorded = static_cast<std::uint32_t>(count);
        Return(index);
        return true;
    }
    // As Capture, with the buffer's old contents counted as recorded (no copying: long runs).
    bool CaptureFull() {
        if (order.empty()) {
            return false;
        }
        const std::uint32_t index = order.front();
        order.pop_front();
        buffers[index].recorded = static_cast<std::uint32_t>(buffers[index].data.size());
        Return(index);
        return true;
    }
    // Delivers every pending notification and queued message.
    void DeliverAll() {
        while (DispatchOneMessage()) {
        }
    }
    static std::uintptr_t HeaderOf(std::uint32_t index) { return 0x1000 + index * 32; }

    std::uint32_t DeviceCount() override { return deviceCount; }
    bool AllocateBuffers(std::uint32_t count, std::uint32_t bytes) override {
        calls.push_back("allocate " + std::to_string(count) + "x" + std::to_string(bytes));
        if (allocationFails) {
            return false;
        }
        buffers.assign(count, Buffer{});
        for (Buffer& buffer : buffers) {
            buffer.data.assign(bytes, 0);
        }
        return true;
    }
    void FreeBuffers(bool deviceMayHoldThem) override {
        calls.push_back("free");
        gaveUpBuffers = deviceMayHoldThem;
        buffers.clear();
        order.clear();
    }
    const std::uint8_t* BufferData(std::uint32_t index) override { return buffers.at(index).data.data(); }
    std::uint32_t Open(std::int32_t deviceId, const WaveFormatRecord& format) override {
        calls.push_back("open");
        openedDevice = deviceId;
        openedFormat = format;
        deviceOpen = openResult == kWaveResultOk;
        return openResult;
    }
    std::uint32_t Prepare(std::uint32_t index) override {
        if (static_cast<int>(index) == prepareFailsAt) {
            return 11;
        }
        calls.push_back("prepare " + std::to_string(index));
        Buffer& buffer = buffers.at(index);
        buffer.prepared = true;
        buffer.done = false;
        buffer.recorded = 0;
        return kWaveResultOk;
    }
    std::uint32_t Unprepare(std::uint32_t index) override {
        calls.push_back("unprepare " + std::to_string(index));
        buffers.at(index).prepared = false;
        return kWaveResultOk;
    }
    std::uint32_t AddBuffer(std::uint32_t index) override {
        if (static_cast<int>(index) == addBufferFailsAt) {
            return kWaveNoMemory;
        }
        buffers.at(index).queued = true;
        order.push_back(index);
        return kWaveResultOk;
    }
    std::uint32_t StartDevice() override {
        calls.push_back("start");
        started = startResult == kWaveResultOk;
        return startResult;
    }
    void StopAndReset() override {
        calls.push_back("stop-reset");
        started = false;
        // Every queued buffer comes back, with whatever it held (nothing here).
        while (!order.empty()) {
            const std::uint32_t index = order.front();
            order.pop_front();
            buffers[index].recorded = 0;
            Return(index);
        }
    }
    std::uint32_t Close() override {
        const bool held = std::any_of(buffers.begin(), buffers.end(), [](const Buffer& b) { return b.queued; });
        if (neverCloses || held) {
            return kWaveStillPlaying;
        }
        calls.push_back("close");
        deviceOpen = false;
        return kWaveResultOk;
    }
    std::int32_t BufferOfHeader(std::uintptr_t header) override {
        if (header < HeaderOf(0) || (header - HeaderOf(0)) % 32 != 0) {
            return -1;
        }
        const std::uintptr_t index = (header - HeaderOf(0)) / 32;
        return index < buffers.size() ? static_cast<std::int32_t>(index) : -1;
    }
    std::uint32_t BytesInBuffer(std::uint32_t index) override { return buffers.at(index).recorded; }
    void MarkDone(std::uint32_t index) override { buffers.at(index).done = true; }
    bool DispatchOneMessage() override {
        ++dispatchCalls;
        if (!queue.empty()) {
            auto message = std::move(queue.front());
            queue.pop_front();
            message();
            return true;
        }
        return false;
    }
    void ShowMessage(const char* text, const char* caption, MessageStyle style) override {
        calls.push_back("message");
        messages.push_back({text, caption, style});
    }
    std::unique_ptr<RecordFile> CreateFile(const char* path) override {
        if (createFails) {
            return nullptr;
        }
        calls.push_back(std::string("create ") + path);
        if (fileSystem) {
            fileSystem->AddFile(path);
        }
        return std::make_unique<MemoryRecordFile>(disk, path);
    }
    void DescribeFormat(const WaveFormatRecord& format, char* text, std::size_t capacity) override {
        std::snprintf(text, capacity, "%u Hz", static_cast<unsigned>(format.samplesPerSec));
    }
    void DescribeFormatTag(const WaveFormatRecord& format, char* text, std::size_t capacity) override {
        std::snprintf(text, capacity, "tag %u", static_cast<unsigned>(format.formatTag));
    }
    bool ChooseFormat(WaveFormatRecord& format, const char* title) override {
        chooserTitle = title;
        if (!chosen) {
            return false;
        }
        format = *chosen;
        return true;
    }
    std::unique_ptr<WaveFormatRecord> chosen;
    std::string chooserTitle;

private:
    // The driver is done with a buffer: its notification waits in the queue.
    void Return(std::uint32_t index) {
        buffers[index].queued = false;
        const std::uintptr_t header = HeaderOf(index);
        queue.push_back([this, header] {
            if (owner) {
                owner(kWaveInDataMessage, header);
            }
        });
    }

    std::deque<std::uint32_t> order;
};
