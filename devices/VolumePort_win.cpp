// The volume seam on Windows: aux, MIDI-out and wave-out volume functions by device index. MIDI
// and wave devices are addressed by their index cast to a handle, which the system accepts in
// place of an open handle (Wine does not: it answers MMSYSERR_INVALHANDLE, which callers ignore).
#include <windows.h>

#include <mmsystem.h>

#include "devices/VolumePort.h"

namespace {

HMIDIOUT MidiOutById(std::uint32_t index) {
    return reinterpret_cast<HMIDIOUT>(static_cast<UINT_PTR>(index));
}

HWAVEOUT WaveOutById(std::uint32_t index) {
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(index));
}

class Win32VolumePort : public VolumePort {
public:
    std::uint32_t DeviceCount(VolumeDeviceKind kind) override {
        switch (kind) {
            case VolumeDeviceKind::kAux:
                return auxGetNumDevs();
            case VolumeDeviceKind::kMidiOut:
                return midiOutGetNumDevs();
            case VolumeDeviceKind::kWaveOut:
                return waveOutGetNumDevs();
        }
        return 0;
    }

    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind kind, std::uint32_t index) override {
        VolumeCaps caps;
        switch (kind) {
            case VolumeDeviceKind::kAux: {
                AUXCAPSA aux = {};
                if (auxGetDevCapsA(index, &aux, sizeof aux) != MMSYSERR_NOERROR) {
                    return std::nullopt;
                }
                caps.technology = aux.wTechnology;
                caps.separateChannels = (aux.dwSupport & AUXCAPS_LRVOLUME) != 0;
                return caps;
            }
            case VolumeDeviceKind::kMidiOut: {
                MIDIOUTCAPSA midi = {};
                if (midiOutGetDevCapsA(index, &midi, sizeof midi) != MMSYSERR_NOERROR) {
                    return std::nullopt;
                }
                caps.separateChannels = (midi.dwSupport & MIDICAPS_LRVOLUME) != 0;
                return caps;
            }
            case VolumeDeviceKind::kWaveOut: {
                WAVEOUTCAPSA wave = {};
                if (waveOutGetDevCapsA(index, &wave, sizeof wave) != MMSYSERR_NOERROR) {
                    return std::nullopt;
                }
                caps.separateChannels = (wave.dwSupport & WAVECAPS_LRVOLUME) != 0;
                return caps;
            }
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind kind, std::uint32_t index) override {
        DWORD volume = 0;
        MMRESULT result = MMSYSERR_BADDEVICEID;
        switch (kind) {
            case VolumeDeviceKind::kAux:
                result = auxGetVolume(index, &volume);
                break;
            case VolumeDeviceKind::kMidiOut:
                result = midiOutGetVolume(MidiOutById(index), &volume);
                break;
            case VolumeDeviceKind::kWaveOut:
                result = waveOutGetVolume(WaveOutById(index), &volume);
                break;
        }
        if (result != MMSYSERR_NOERROR) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(volume);
    }

    bool SetVolume(VolumeDeviceKind kind, std::uint32_t index, std::uint32_t volume) override {
        switch (kind) {
            case VolumeDeviceKind::kAux:
                return auxSetVolume(index, volume) == MMSYSERR_NOERROR;
            case VolumeDeviceKind::kMidiOut:
                return midiOutSetVolume(MidiOutById(index), volume) == MMSYSERR_NOERROR;
            case VolumeDeviceKind::kWaveOut:
                return waveOutSetVolume(WaveOutById(index), volume) == MMSYSERR_NOERROR;
        }
        return false;
    }
};

}  // namespace

VolumePort& SystemVolumePort() {
    static Win32VolumePort port;
    return port;
}
