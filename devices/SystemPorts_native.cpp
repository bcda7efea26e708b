// The native build's default seams for the MCI devices and the volume control: no MCI, no volume
// devices, no temporary files, and notifications that go nowhere. Tests pass their own fakes instead.
#include "devices/MciPort.h"
#include "devices/OwnerNotifier.h"
#include "devices/TempFilePort.h"
#include "devices/VolumePort.h"

namespace {

class NoMciPort : public MciPort {
public:
    MciError OpenElement(const char*, std::uint32_t&) override { return kMciUnsupported; }
    MciError OpenCdAudio(const char*, std::uint32_t&) override { return kMciUnsupported; }
    MciError Close(std::uint32_t) override { return kMciUnsupported; }
    MciError Play(std::uint32_t, OwnerWindow, std::uint32_t) override { return kMciUnsupported; }
    MciError Stop(std::uint32_t) override { return kMciUnsupported; }
    MciError Pause(std::uint32_t) override { return kMciUnsupported; }
    MciError Seek(std::uint32_t, std::uint32_t) override { return kMciUnsupported; }
    MciError SetTimeFormat(std::uint32_t, std::uint32_t) override { return kMciUnsupported; }
    MciError Status(std::uint32_t, const MciStatusQuery&, std::uint32_t&) override { return kMciUnsupported; }
    MciError GetDevCaps(std::uint32_t, std::uint32_t, std::uint32_t&) override { return kMciUnsupported; }
    MciError SetDoor(std::uint32_t, bool) override { return kMciUnsupported; }
};

class NoOwnerNotifier : public OwnerNotifier {
public:
    void SendNotify(OwnerWindow, std::uint32_t, std::uint32_t) override {}
};

class NoVolumePort : public VolumePort {
public:
    std::uint32_t DeviceCount(VolumeDeviceKind) override { return 0; }
    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind, std::uint32_t) override { return std::nullopt; }
    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind, std::uint32_t) override { return std::nullopt; }
    bool SetVolume(VolumeDeviceKind, std::uint32_t, std::uint32_t) override { return false; }
};

class NoTempFilePort : public TempFilePort {
public:
    std::unique_ptr<TemporaryFile> Create(const std::uint8_t*, std::size_t, const char*) override { return nullptr; }
    void RemoveLeftovers() override {}
};

}  // namespace

TempFilePort& SystemTempFilePort() {
    static NoTempFilePort port;
    return port;
}

MciPort& SystemMciPort() {
    static NoMciPort port;
    return port;
}

OwnerNotifier& SystemOwnerNotifier() {
    static NoOwnerNotifier notifier;
    return notifier;
}

VolumePort& SystemVolumePort() {
    static NoVolumePort port;
    return port;
}
