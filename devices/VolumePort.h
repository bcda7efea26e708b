// The system volume functions the volume control uses (aux, MIDI-out and wave-out devices: count,
// capabilities, get and set), as a seam with a Win32 implementation and a fake for the tests.
#pragma once

#include <cstdint>
#include <optional>

// Kinds of volume devices, as the linked-volume settings number them.
enum class VolumeDeviceKind : std::uint32_t { kAux = 1, kMidiOut = 2, kWaveOut = 3 };

struct VolumeCaps {
    // Aux devices only: what the line carries (1 CD audio, 32 wave, 64 MIDI); 0 otherwise.
    std::uint16_t technology = 0;
    // Left and right can be set apart (the LRVOLUME capability bit).
    bool separateChannels = false;
};

class VolumePort {
public:
    virtual ~VolumePort() = default;

    virtual std::uint32_t DeviceCount(VolumeDeviceKind kind) = 0;
    // Empty when the system refuses the query.
    virtual std::optional<VolumeCaps> GetCaps(VolumeDeviceKind kind, std::uint32_t index) = 0;
    // The volume word (low 16 bits left, high 16 bits right); empty when the system refuses.
    virtual std::optional<std::uint32_t> GetVolume(VolumeDeviceKind kind, std::uint32_t index) = 0;
    // False when the system refuses.
    virtual bool SetVolume(VolumeDeviceKind kind, std::uint32_t index, std::uint32_t volume) = 0;
};

// The volume functions of this build: the system's on Windows (mx_mci_win), natively a port with
// no devices.
VolumePort& SystemVolumePort();
