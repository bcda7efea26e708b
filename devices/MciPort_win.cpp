// The MCI seam on Windows: each command one mciSendCommandA call. Open, stop, pause, seek, status,
// capability and door commands wait; play returns at once and notifies; close and time-format
// changes are sent without either flag.
#include <windows.h>

#include <mmsystem.h>

#include "devices/MciPort.h"

namespace {

MciError Send(std::uint32_t id, UINT message, DWORD flags, void* parameters) {
    return static_cast<MciError>(
        mciSendCommandA(static_cast<MCIDEVICEID>(id), message, flags, reinterpret_cast<DWORD_PTR>(parameters)));
}

class Win32MciPort : public MciPort {
public:
    MciError OpenElement(const char* element, std::uint32_t& id) override {
        MCI_OPEN_PARMSA parameters = {};
        parameters.lpstrElementName = element;
        const MciError error = Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &parameters);
        id = error == kMciOk ? parameters.wDeviceID : 0;
        return error;
    }

    MciError OpenCdAudio(const char* drive, std::uint32_t& id) override {
        MCI_OPEN_PARMSA parameters = {};
        // With MCI_OPEN_TYPE_ID the type field carries the device type number, not a name.
        parameters.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(MCI_DEVTYPE_CD_AUDIO));
        parameters.lpstrElementName = drive;
        const MciError error =
            Send(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_WAIT, &parameters);
        id = error == kMciOk ? parameters.wDeviceID : 0;
        return error;
    }

    MciError Close(std::uint32_t id) override {
        MCI_GENERIC_PARMS parameters = {};
        return Send(id, MCI_CLOSE, 0, &parameters);
    }

    MciError Play(std::uint32_t id, OwnerWindow notifyWindow, std::uint32_t to) override {
        MCI_PLAY_PARMS parameters = {};
        DWORD flags = 0;
        if (notifyWindow) {
            parameters.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow);
            flags |= MCI_NOTIFY;
        }
        if (to != 0) {
            parameters.dwTo = to;
            flags |= MCI_TO;
        }
        return Send(id, MCI_PLAY, flags, &parameters);
    }

    MciError Stop(std::uint32_t id) override {
        MCI_GENERIC_PARMS parameters = {};
        return Send(id, MCI_STOP, MCI_WAIT, &parameters);
    }

    MciError Pause(std::uint32_t id) override {
        MCI_GENERIC_PARMS parameters = {};
        return Send(id, MCI_PAUSE, MCI_WAIT, &parameters);
    }

    MciError Seek(std::uint32_t id, std::uint32_t to) override {
        MCI_SEEK_PARMS parameters = {};
        parameters.dwTo = to;
        return Send(id, MCI_SEEK, MCI_TO | MCI_WAIT, &parameters);
    }

    MciError SetTimeFormat(std::uint32_t id, std::uint32_t format) override {
        MCI_SET_PARMS parameters = {};
        parameters.dwTimeFormat = format;
        return Send(id, MCI_SET, MCI_SET_TIME_FORMAT, &parameters);
    }

    MciError Status(std::uint32_t id, const MciStatusQuery& query, std::uint32_t& value) override {
        MCI_STATUS_PARMS parameters = {};
        parameters.dwItem = query.item;
        DWORD flags = MCI_STATUS_ITEM | MCI_WAIT;
        if (query.track != 0) {
            parameters.dwTrack = query.track;
            flags |= MCI_TRACK;
        }
        if (query.start) {
            flags |= MCI_STATUS_START;
        }
        const MciError error = Send(id, MCI_STATUS, flags, &parameters);
        value = error == kMciOk ? static_cast<std::uint32_t>(parameters.dwReturn) : 0;
        return error;
    }

    MciError GetDevCaps(std::uint32_t id, std::uint32_t item, std::uint32_t& value) override {
        MCI_GETDEVCAPS_PARMS parameters = {};
        parameters.dwItem = item;
        const MciError error = Send(id, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &parameters);
        value = error == kMciOk ? parameters.dwReturn : 0;
        return error;
    }

    MciError SetDoor(std::uint32_t id, bool open) override {
        MCI_SET_PARMS parameters = {};
        return Send(id, MCI_SET, (open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED) | MCI_WAIT, &parameters);
    }
};

}  // namespace

MciPort& SystemMciPort() {
    static Win32MciPort port;
    return port;
}
