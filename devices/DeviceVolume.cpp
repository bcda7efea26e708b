// Linked volume control: binding a device to the song's medium, writing the scaled and balanced
// volume word, and reading back what the user or the system mixer changed.
#include "devices/DeviceVolume.h"

#include <algorithm>

#include "app/Settings.h"
#include "devices/MediaDevice.h"

namespace {

constexpr std::uint32_t kMaxLevel = 0xFFFF;
// Aux technologies that carry each medium.
constexpr std::uint16_t kAuxCdAudio = 1;
constexpr std::uint16_t kAuxWave = 32;
constexpr std::uint16_t kAuxMidi = 64;
// Device indexes are 16 bits in the settings; no system has more aux lines than that.
constexpr std::uint32_t kMaxAuxDevices = 0x10000;

}  // namespace

DeviceVolume::DeviceVolume(std::int32_t deviceType,
                           std::int32_t songPercent,
                           std::int32_t songBalance,
                           VolumePort& port)
    : port(port) {
    Bind(deviceType);
    percent = 100;
    balance = 0;
    savedLevel = GetLevel();
    savedBalance = GetBalance();
    balanceApplied = songBalance >= -100 && songBalance <= 100;
    // A negative percentage is no volume at all rather than a wrapped-around huge one.
    percent = static_cast<std::uint32_t>(std::max(songPercent, 0));
    if (balanceApplied) {
        SetBalance(songBalance);
    }
    SetLevel(savedLevel);
}

DeviceVolume::~DeviceVolume() {
    if (!Bound()) {
        return;
    }
    if (balanceApplied) {
        SetBalance(savedBalance);
    }
    // Read back first, so that a change made in the mixer during the song survives it.
    const std::uint32_t userLevel = GetLevel();
    percent = 100;
    SetLevel(userLevel);
}

bool DeviceVolume::Bound() const {
    return kind >= static_cast<std::uint32_t>(VolumeDeviceKind::kAux) &&
           kind <= static_cast<std::uint32_t>(VolumeDeviceKind::kWaveOut);
}

void DeviceVolume::Bind(std::int32_t deviceType) {
    const std::uint32_t setting = deviceType == kDeviceTypeCdAudio     ? gSettings.volume.CD_Volume_ID
                                  : deviceType == kDeviceTypeSequencer ? gSettings.volume.MIDI_Volume_ID
                                                                       : gSettings.volume.Wave_Volume_ID;
    kind = setting >> 16;
    deviceIndex = setting & 0xFFFF;
    if (setting < kAutomaticVolumeId) {
        return;
    }
    // Automatic: an aux line of the medium's technology, else the first MIDI or wave output.
    // Finding nothing leaves the automatic kind, which is no device.
    const std::uint16_t technology = deviceType == kDeviceTypeCdAudio     ? kAuxCdAudio
                                     : deviceType == kDeviceTypeSequencer ? kAuxMidi
                                                                          : kAuxWave;
    const std::uint32_t auxCount = std::min(port.DeviceCount(VolumeDeviceKind::kAux), kMaxAuxDevices);
    for (std::uint32_t index = 0; index < auxCount; ++index) {
        const std::optional<VolumeCaps> caps = port.GetCaps(VolumeDeviceKind::kAux, index);
        if (caps && caps->technology == technology) {
            kind = static_cast<std::uint32_t>(VolumeDeviceKind::kAux);
            deviceIndex = index;
            return;
        }
    }
    if (deviceType == kDeviceTypeCdAudio) {
        return;
    }
    const VolumeDeviceKind output =
        deviceType == kDeviceTypeSequencer ? VolumeDeviceKind::kMidiOut : VolumeDeviceKind::kWaveOut;
    if (port.DeviceCount(output) > 0) {
        kind = static_cast<std::uint32_t>(output);
        deviceIndex = 0;
    }
}

bool DeviceVolume::SeparateChannels() {
    const std::optional<VolumeCaps> caps = port.GetCaps(static_cast<VolumeDeviceKind>(kind), deviceIndex);
    return caps && caps->separateChannels;
}

void DeviceVolume::SetLevel(std::uint32_t newLevel) {
    if (!Bound()) {
        return;
    }
    level = std::min(newLevel, kMaxLevel);
    Write();
}

std::uint32_t DeviceVolume::GetLevel() {
    if (!Bound()) {
        return 0;
    }
    ReadBack();
    return level;
}

void DeviceVolume::SetBalance(std::int32_t newBalance) {
    if (!Bound()) {
        return;
    }
    balance = std::clamp(newBalance, -100, 100);
    Write();
}

std::int32_t DeviceVolume::GetBalance() {
    if (!Bound()) {
        return 0;
    }
    ReadBack();
    return balance;
}

void DeviceVolume::Write() {
    const std::uint32_t scaled =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{level} * percent / 100, kMaxLevel));
    std::uint32_t left = scaled;
    std::uint32_t right = scaled;
    if (balance < 0) {
        right = scaled * static_cast<std::uint32_t>(balance + 100) / 100;
    } else if (balance > 0) {
        left = scaled * static_cast<std::uint32_t>(100 - balance) / 100;
    }
    const std::uint32_t word = left | right << 16;
    // A device with one volume gets the louder side. Refusals are ignored: the slider keeps its
    // value and the next read-back shows what the device really has.
    port.SetVolume(static_cast<VolumeDeviceKind>(kind), deviceIndex, SeparateChannels() ? word : std::max(left, right));
    lastWritten = word;
    hasWritten = true;
}

void DeviceVolume::ReadBack() {
    std::optional<std::uint32_t> read = port.GetVolume(static_cast<VolumeDeviceKind>(kind), deviceIndex);
    // An unreadable device keeps what we believe it has, rather than being taken for silent
    // and then written silent when the song ends.
    if (!read) {
        return;
    }
    std::uint32_t word = *read;
    if (!SeparateChannels()) {
        word = (word & 0xFFFF) | (word & 0xFFFF) << 16;
    }
    if (hasWritten && word == lastWritten) {
        return;
    }
    if (word == 0) {
        level = 0;
        return;
    }
    const std::uint32_t left = word & 0xFFFF;
    const std::uint32_t right = word >> 16;
    std::uint32_t louder = left;
    if (left < right) {
        balance = 100 - static_cast<std::int32_t>(left * 100 / right);
        louder = right;
    } else {
        balance = static_cast<std::int32_t>(right * 100 / left) - 100;
    }
    // At the top of the range the device cannot tell how far above full the scaled level is.
    if (percent == 0 || (louder > kMaxLevel - 1 && std::uint64_t{level} * percent / 100 > kMaxLevel - 1)) {
        return;
    }
    level = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{louder} * 100 / percent, kMaxLevel));
}
