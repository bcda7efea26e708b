// Device names from the multimedia functions. A device that refuses its capabilities keeps its
// place under an empty name, so every later device keeps its index as item data.
#include "settingsui/SystemDevices_win.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstring>

namespace {

// The name field of a capabilities record, which the system need not terminate.
template <std::size_t N>
std::string NameOf(const char (&name)[N]) {
    return std::string(name, strnlen(name, N));
}

}  // namespace

VolumeDevices ListVolumeDevices() {
    VolumeDevices devices;
    const UINT auxCount = auxGetNumDevs();
    for (UINT index = 0; index < auxCount; ++index) {
        AUXCAPSA caps{};
        devices.aux.push_back(auxGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR ? NameOf(caps.szPname)
                                                                                            : "");
    }
    const UINT midiCount = midiOutGetNumDevs();
    for (UINT index = 0; index < midiCount; ++index) {
        MIDIOUTCAPSA caps{};
        const bool known = midiOutGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR;
        devices.midiOut.push_back(
            {known ? NameOf(caps.szPname) : "", known && (caps.dwSupport & MIDICAPS_VOLUME) != 0});
    }
    const UINT waveCount = waveOutGetNumDevs();
    for (UINT index = 0; index < waveCount; ++index) {
        WAVEOUTCAPSA caps{};
        const bool known = waveOutGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR;
        devices.waveOut.push_back(
            {known ? NameOf(caps.szPname) : "", known && (caps.dwSupport & WAVECAPS_VOLUME) != 0});
    }
    return devices;
}

std::vector<std::string> WaveInDeviceNames() {
    std::vector<std::string> names;
    const UINT count = waveInGetNumDevs();
    for (UINT index = 0; index < count; ++index) {
        WAVEINCAPSA caps{};
        names.push_back(waveInGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR ? NameOf(caps.szPname) : "");
    }
    return names;
}

std::vector<std::string> WaveOutDeviceNames() {
    std::vector<std::string> names;
    const UINT count = waveOutGetNumDevs();
    for (UINT index = 0; index < count; ++index) {
        WAVEOUTCAPSA caps{};
        names.push_back(waveOutGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR ? NameOf(caps.szPname) : "");
    }
    return names;
}
