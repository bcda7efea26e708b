// waveIn, global memory, the message queue, message boxes and the compression manager for the
// recorder.
#include "recorder/WaveInPort_win.h"

#include <mmreg.h>

#include <msacm.h>

#include <cstdio>
#include <cstring>

#include "recorder/RecordFile_win.h"

static_assert(sizeof(WAVEHDR) == 32, "capture buffer headers are 32 bytes each");
static_assert(kWaveResultOk == MMSYSERR_NOERROR && kWaveBadDeviceId == MMSYSERR_BADDEVICEID &&
                  kWaveAllocated == MMSYSERR_ALLOCATED && kWaveNoMemory == MMSYSERR_NOMEM &&
                  kWaveBadFormat == WAVERR_BADFORMAT && kWaveStillPlaying == WAVERR_STILLPLAYING,
              "wave-input results are the system's");
static_assert(kWaveInOpenMessage == MM_WIM_OPEN && kWaveInCloseMessage == MM_WIM_CLOSE &&
                  kWaveInDataMessage == MM_WIM_DATA,
              "wave-input notifications are the system's");
static_assert(static_cast<UINT>(kWaveInMapper) == WAVE_MAPPER, "the mapper's device number");

namespace {

// Copies a system text into a caller's buffer, always terminated.
void CopyOut(char* text, std::size_t capacity, const char* source) {
    if (capacity > 0) {
        std::snprintf(text, capacity, "%s", source);
    }
}

}  // namespace

std::uint32_t SystemWaveInPort::DeviceCount() {
    return waveInGetNumDevs();
}

bool SystemWaveInPort::AllocateBuffers(std::uint32_t count, std::uint32_t bytes) {
    FreeBuffers(false);
    if (!headers.Allocate(static_cast<std::size_t>(count) * sizeof(WAVEHDR))) {
        return false;
    }
    buffers.resize(count);
    for (GlobalBlock& buffer : buffers) {
        if (!buffer.Allocate(bytes)) {
            FreeBuffers(false);
            return false;
        }
    }
    bufferBytes = bytes;
    return true;
}

void SystemWaveInPort::FreeBuffers(bool deviceMayHoldThem) {
    if (deviceMayHoldThem) {
        // The driver may still write into them: their memory is given up, never reused.
        for (GlobalBlock& buffer : buffers) {
            buffer.Release();
        }
        headers.Release();
        device.Release();
    }
    buffers.clear();
    headers.Free();
    bufferBytes = 0;
}

const std::uint8_t* SystemWaveInPort::BufferData(std::uint32_t index) {
    return static_cast<const std::uint8_t*>(buffers.at(index).Get());
}

std::uint32_t SystemWaveInPort::Open(std::int32_t deviceId, const WaveFormatRecord& format) {
    HWAVEIN handle = nullptr;
    const UINT id = deviceId == kWaveInMapper ? WAVE_MAPPER : static_cast<UINT>(deviceId);
    const MMRESULT result = waveInOpen(&handle, id, reinterpret_cast<const WAVEFORMATEX*>(&format),
                                       reinterpret_cast<DWORD_PTR>(owner), 0, CALLBACK_WINDOW);
    if (result == MMSYSERR_NOERROR) {
        device.Reset(handle);
    }
    return result;
}

std::uint32_t SystemWaveInPort::Prepare(std::uint32_t index) {
    WAVEHDR* header = Header(index);
    header->lpData = static_cast<LPSTR>(buffers.at(index).Get());
    header->dwBufferLength = bufferBytes;
    header->dwBytesRecorded = 0;
    header->dwUser = index;
    header->dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    return waveInPrepareHeader(device.Get(), header, sizeof(WAVEHDR));
}

std::uint32_t SystemWaveInPort::Unprepare(std::uint32_t index) {
    return waveInUnprepareHeader(device.Get(), Header(index), sizeof(WAVEHDR));
}

std::uint32_t SystemWaveInPort::AddBuffer(std::uint32_t index) {
    return waveInAddBuffer(device.Get(), Header(index), sizeof(WAVEHDR));
}

std::uint32_t SystemWaveInPort::StartDevice() {
    return waveInStart(device.Get());
}

void SystemWaveInPort::StopAndReset() {
    waveInStop(device.Get());
    waveInReset(device.Get());
}

std::uint32_t SystemWaveInPort::Close() {
    const MMRESULT result = waveInClose(device.Get());
    if (result != WAVERR_STILLPLAYING) {
        device.Release();
    }
    return result;
}

std::int32_t SystemWaveInPort::BufferOfHeader(std::uintptr_t header) {
    const auto first = reinterpret_cast<std::uintptr_t>(headers.Get());
    if (first == 0 || header < first || (header - first) % sizeof(WAVEHDR) != 0) {
        return -1;
    }
    const std::uintptr_t index = (header - first) / sizeof(WAVEHDR);
    return index < buffers.size() ? static_cast<std::int32_t>(index) : -1;
}

std::uint32_t SystemWaveInPort::BytesInBuffer(std::uint32_t index) {
    const DWORD recorded = Header(index)->dwBytesRecorded;
    return recorded <= bufferBytes ? recorded : bufferBytes;
}

void SystemWaveInPort::MarkDone(std::uint32_t index) {
    Header(index)->dwFlags |= WHDR_DONE;
}

// WM_QUIT stays in the queue for the message loop: it is never taken here.
bool SystemWaveInPort::DispatchOneMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, WM_QUIT - 1, PM_REMOVE) ||
        PeekMessageA(&message, nullptr, WM_QUIT + 1, 0xFFFFFFFFu, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
    // The driver's notifications come from its own thread; give them a moment.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    return false;
}

void SystemWaveInPort::ShowMessage(const char* text, const char* caption, MessageStyle style) {
    UINT flags = MB_OK;
    switch (style) {
        case MessageStyle::kError:
            flags |= MB_ICONERROR;
            break;
        case MessageStyle::kInformation:
            flags |= MB_ICONINFORMATION;
            break;
        case MessageStyle::kWarning:
            flags |= MB_ICONWARNING;
            break;
        case MessageStyle::kPlain:
            break;
    }
    MessageBoxA(owner, text, caption, flags);
}

std::unique_ptr<RecordFile> SystemWaveInPort::CreateFile(const char* path) {
    return SystemRecordFile::Create(path);
}

void SystemWaveInPort::DescribeFormat(const WaveFormatRecord& format, char* text, std::size_t capacity) {
    WaveFormatRecord copy = format;
    ACMFORMATDETAILSA details = {};
    details.cbStruct = sizeof details;
    details.dwFormatTag = format.formatTag;
    details.pwfx = reinterpret_cast<WAVEFORMATEX*>(&copy);
    details.cbwfx = WaveFormatStoredBytes(format);
    const bool known = acmFormatDetailsA(nullptr, &details, ACM_FORMATDETAILSF_FORMAT) == MMSYSERR_NOERROR;
    CopyOut(text, capacity, known ? details.szFormat : "");
}

void SystemWaveInPort::DescribeFormatTag(const WaveFormatRecord& format, char* text, std::size_t capacity) {
    ACMFORMATTAGDETAILSA details = {};
    details.cbStruct = sizeof details;
    details.dwFormatTag = format.formatTag;
    const bool known = acmFormatTagDetailsA(nullptr, &details, ACM_FORMATTAGDETAILSF_FORMATTAG) == MMSYSERR_NOERROR;
    CopyOut(text, capacity, known ? details.szFormatTag : "");
}

bool SystemWaveInPort::ChooseFormat(WaveFormatRecord& format, const char* title) {
    ACMFORMATCHOOSEA choose = {};
    choose.cbStruct = sizeof choose;
    choose.fdwStyle = ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT;
    choose.hwndOwner = owner;
    choose.pwfx = reinterpret_cast<WAVEFORMATEX*>(&format);
    choose.cbwfx = sizeof format;
    choose.pszTitle = title;
    choose.fdwEnum = ACM_FORMATENUMF_INPUT;
    return acmFormatChooseA(&choose) == MMSYSERR_NOERROR;
}
