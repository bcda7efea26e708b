// MCI commands on one owned device id.
#include "devices/MciHandle.h"

#include <utility>

MciHandle::MciHandle(MciHandle&& other) noexcept
    : port(other.port), mciId(std::exchange(other.mciId, 0)), isOpen(std::exchange(other.isOpen, false)) {}

MciHandle& MciHandle::operator=(MciHandle&& other) noexcept {
    if (this != &other) {
        Close();
        port = other.port;
        mciId = std::exchange(other.mciId, 0);
        isOpen = std::exchange(other.isOpen, false);
    }
    return *this;
}

int MciHandle::Adopt(MciError error, std::uint32_t id) {
    if (error != kMciOk) {
        return 0;
    }
    mciId = id;
    isOpen = true;
    return 1;
}

int MciHandle::OpenElement(const char* element) {
    Close();
    if (!element) {
        return 0;
    }
    std::uint32_t id = 0;
    const MciError error = port->OpenElement(element, id);
    return Adopt(error, id);
}

int MciHandle::OpenCdAudio(const char* drive) {
    Close();
    if (!drive) {
        return 0;
    }
    std::uint32_t id = 0;
    const MciError error = port->OpenCdAudio(drive, id);
    return Adopt(error, id);
}

void MciHandle::Close() {
    if (!isOpen) {
        return;
    }
    // The id is gone for us whatever MCI answers; asking again would close it twice.
    port->Close(mciId);
    isOpen = false;
    mciId = 0;
}

int MciHandle::Play(OwnerWindow notifyWindow, std::uint32_t to) {
    return isOpen && port->Play(mciId, notifyWindow, to) == kMciOk;
}

int MciHandle::Stop() {
    return isOpen && port->Stop(mciId) == kMciOk;
}

int MciHandle::Pause() {
    return isOpen && port->Pause(mciId) == kMciOk;
}

int MciHandle::Seek(std::uint32_t to) {
    if (!isOpen) {
        return 0;
    }
    Stop();
    return port->Seek(mciId, to) == kMciOk;
}

int MciHandle::SetTimeFormat(std::uint32_t format) {
    return isOpen && port->SetTimeFormat(mciId, format) == kMciOk;
}

int MciHandle::SetDoor(bool open) {
    return isOpen && port->SetDoor(mciId, open) == kMciOk;
}

int MciHandle::Status(const MciStatusQuery& query, std::uint32_t& value) {
    return isOpen && port->Status(mciId, query, value) == kMciOk;
}

std::uint32_t MciHandle::GetPosition() {
    std::uint32_t value = 0;
    return Status({kMciStatusPosition}, value) ? value : 0;
}

int MciHandle::GetMode() {
    std::uint32_t value = 0;
    return Status({kMciStatusMode}, value) ? static_cast<int>(value) : kModeNotReady;
}

std::int32_t MciHandle::GetDeviceType() {
    std::uint32_t value = 0;
    return isOpen && port->GetDevCaps(mciId, kMciCapsDeviceType, value) == kMciOk ? static_cast<std::int32_t>(value)
                                                                                  : 0;
}
