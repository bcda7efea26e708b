// In-memory volume devices for the volume control tests: capabilities, a volume word each, calls
// that can be made to fail, and every word written.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "devices/VolumePort.h"

struct FakeVolumeDevice {
    VolumeCaps caps{0, true};
    std::uint32_t volume = 0xFFFFFFFF;
    bool failCaps = false;
    bool failGet = false;
    bool failSet = false;
    std::vector<std::uint32_t> writes;
};

class FakeVolumePort : public VolumePort {
public:
    std::map<VolumeDeviceKind, std::vector<FakeVolumeDevice>> devices;
    int getCalls = 0;

    FakeVolumeDevice& Add(VolumeDeviceKind kind, FakeVolumeDevice device = {}) {
        devices[kind].push_back(device);
        return devices[kind].back();
    }
    FakeVolumeDevice& At(VolumeDeviceKind kind, std::uint32_t index) { return devices[kind].at(index); }
    std::size_t TotalWrites() const {
        std::size_t total = 0;
        for (const auto& [kind, list] : devices) {
            for (const FakeVolumeDevice& device : list) {
                total += device.writes.size();
            }
        }
        return total;
    }

    std::uint32_t DeviceCount(VolumeDeviceKind kind) override {
        return static_cast<std::uint32_t>(devices[kind].size());
    }
    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind kind, std::uint32_t index) override {
        FakeVolumeDevice* device = Find(kind, index);
        return device && !device->failCaps ? std::optional<VolumeCaps>(device->caps) : std::nullopt;
    }
    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind kind, std::uint32_t index) override {
        ++getCalls;
        FakeVolumeDevice* device = Find(kind, index);
        return device && !device->failGet ? std::optional<std::uint32_t>(device->volume) : std::nullopt;
    }
    bool SetVolume(VolumeDeviceKind kind, std::uint32_t index, std::uint32_t volume) override {
        FakeVolumeDevice* device = Find(kind, index);
        if (!device) {
            return false;
        }
        device->writes.push_back(volume);
        if (device->failSet) {
            return false;
        }
        // A device with one channel keeps only the low word.
        device->volume = device->caps.separateChannels ? volume : (volume & 0xFFFF);
        return true;
    }

private:
    FakeVolumeDevice* Find(VolumeDeviceKind kind, std::uint32_t index) {
        auto found = devices.find(kind);
        return found != devices.end() && index < found->second.size() ? &found->second[index] : nullptr;
    }
};

constexpr std::uint32_t Word(std::uint32_t left, std::uint32_t right) {
    return left | right << 16;
}
