// Plays PCM WAVE files by streaming them through waveOut from a ring of small buffers that a
// time-critical thread refills; the MP3 device shares everything but Open.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <vector>

#include "devices/MediaDevice.h"
#include "devices/StreamHandles_win.h"
#include "devices/StreamThread_win.h"
#include "devices/StreamTimeline.h"
#include "devices/UnbufferedFileReader_win.h"

class WaveFileDevice : public MediaDevice, private StreamThreadHandler {
public:
    static constexpr std::uint32_t kRequestedBufferBytes = 1024;
    // The range the settings page keeps the buffer count in.
    static constexpr std::int32_t kMinBufferCount = 16;
    static constexpr std::int32_t kMaxBufferCount = 2048;

    explicit WaveFileDevice(OwnerWindow owner);
    ~WaveFileDevice();

    int Open(const char* fileName) override;
    void Close() override;
    int Play() override;
    int Stop() override;
    int Pause() override;
    int Seek(std::uint32_t milliseconds) override;
    int GetPosition() override;
    int GetMode() override { return mode; }

    // The open song's stream layout, for tests and the settings page.
    std::uint32_t BufferCount() const { return bufferCount; }
    std::uint32_t BufferLength() const { return bufferLength; }
    std::uint32_t DataStart() const { return dataStart; }
    std::uint32_t DataLength() const { return dataLength; }
    std::uint32_t StartOffset() const { return startOffset; }
    std::int32_t OutputDevice() const { return outputDevice; }
    DWORD StreamThreadId() const { return thread.Id(); }
    // The fewest buffers the driver held while data remained, since the last start from stop:
    // 0 means the output ran dry because the refills fell behind.
    std::uint32_t LowestQueued() const { return lowestQueued; }

protected:
    // Closes any song, reads the settings, starts the streaming thread and opens the file.
    bool BeginOpen(const char* fileName);
    // Opens waveOut with the format and allocates the buffer ring; the rest of a successful Open.
    bool FinishOpen(const void* formatBytes, std::uint32_t formatBytesSize, std::uint32_t audioLength);

    UnbufferedFileReader reader;
    bool readerOpen = false;
    std::uint32_t fileSize = 0;
    std::uint32_t formatSize = 0;
    std::uint32_t dataStart = 0;
    StreamTimeline timeline;

private:
    struct StreamBuffer {
        GlobalBlock header;  // one WAVEHDR
        GlobalBlock data;    // bufferLength bytes
        WAVEHDR* Header() const { return static_cast<WAVEHDR*>(header.Get()); }
    };

    static void CALLBACK
    WaveOutCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    void OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnBufferDone(WAVEHDR* header);
    bool AllocateBuffers();
    void FreeBuffers();
    // Under lock: prepares and writes a filled buffer and counts it as queued.
    bool QueueBuffer(WAVEHDR* header);
    // Under lock: fills and queues the ring from the reader's position.
    bool PrimeBuffers();
    std::uint32_t Remaining() const;
    // Resets the output until the driver has handed every buffer back, at most tries times.
    void ResetUntilReturned(int tries);
    std::uint32_t PlayedBytes();
    void PostEndOfSong();
    std::uint32_t Queued();

    CriticalSection lock;
    StreamThread thread;
    GlobalBlock format;
    std::uint32_t blockAlign = 1;
    std::uint32_t avgBytesPerSec = 0;
    std::uint32_t dataLength = 0;
    std::int32_t outputDevice = -1;
    UniqueWaveOut waveOut;
    std::vector<StreamBuffer> buffers;
    std::uint32_t bufferCount = 0;
    std::uint32_t requestedBufferBytes = kRequestedBufferBytes;
    std::uint32_t bufferLength = 0;
    // Shared with the streaming thread; guarded by lock.
    std::uint32_t queued = 0;
    std::uint32_t lowestQueued = 0;
    bool endPosted = false;
    bool endOfData = false;
    std::int32_t mode = kModeNotReady;
    std::uint32_t startOffset = 0;
};
