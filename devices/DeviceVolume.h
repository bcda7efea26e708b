// The volume of the system output device that sounds the current song (an aux line, a MIDI
// output or a wave output), scaled by the song's volume percentage and balanced left/right for
// the song's life, and put back when the song ends.
#pragma once

#include <cstdint>
#include <optional>

#include "devices/VolumePort.h"

class DeviceVolume {
public:
    // Binds the device linked to deviceType (an MCI device type) in the settings, remembers its
    // level and balance, and applies the song's volume and (when within -100 ... 100) balance.
    DeviceVolume(std::int32_t deviceType,
                 std::int32_t songPercent,
                 std::int32_t songBalance,
                 VolumePort& port = SystemVolumePort());
    // Restores the device's balance, and its level as the user last set it without the song's
    // percentage.
    ~DeviceVolume();
    DeviceVolume(const DeviceVolume&) = delete;
    DeviceVolume& operator=(const DeviceVolume&) = delete;

    // Level 0 ... 65535 without the song's percentage; balance -100 (left only) ... 100 (right
    // only). Without a device every call does nothing and the getters answer 0.
    void SetLevel(std::uint32_t newLevel);
    std::uint32_t GetLevel();
    void SetBalance(std::int32_t newBalance);
    std::int32_t GetBalance();

    // The bound device: kind 1 aux, 2 MIDI out, 3 wave out; 0 or anything else is no device.
    std::uint32_t Kind() const { return kind; }
    std::uint32_t DeviceIndex() const { return deviceIndex; }
    // The left/right word last written (low 16 bits left).
    std::uint32_t LastWritten() const { return lastWritten; }

private:
    bool Bound() const;
    void Bind(std::int32_t deviceType);
    void Write();
    void ReadBack();
    bool SeparateChannels();

    VolumePort& port;
    std::uint32_t kind = 0;
    std::uint32_t deviceIndex = 0;
    std::uint32_t percent = 100;
    // A device whose volume cannot be read is taken to be at full volume, never at silence.
    std::uint32_t level = 0xFFFF;
    std::int32_t balance = 0;
    std::uint32_t lastWritten = 0;
    bool hasWritten = false;
    bool balanceApplied = false;
    std::uint32_t savedLevel = 0;
    std::int32_t savedBalance = 0;
};
