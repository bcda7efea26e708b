// A scripted MCI for the device tests: media by element name with their lengths, positions and
// modes, commands that can be made to fail, and a log of every command sent.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "devices/MciPort.h"
#include "devices/OwnerNotifier.h"

struct FakeMedium {
    std::uint32_t deviceType = kDeviceTypeSequencer;
    // Files: lengths in milliseconds and song-position units, positions as MCI reports them
    // (the start position included).
    std::uint32_t lengthMs = 0;
    std::uint32_t lengthSongPointer = 0;
    std::uint32_t startMs = 0;
    std::uint32_t positionMs = 0;
    std::uint32_t positionSongPointer = 0;
    std::uint32_t mode = kModeStop;
    // CD: the disc and the head position in TMSF.
    std::uint32_t mediaPresent = 1;
    std::uint32_t discLengthMsf = 0;
    std::uint32_t discLengthMs = 0;
    std::vector<std::uint32_t> trackLengthMs;
    std::uint32_t positionTmsf = 0;
};

class FakeMciPort : public MciPort {
public:
    static constexpr MciError kFailure = 265;  // MCIERR_OUTOFRANGE, as good as any

    // What each element opens; the CD drive is looked up by its drive text.
    std::map<std::string, FakeMedium> media;
    // Commands that fail: "open", "close", "play", "stop", "pause", "seek", "format", "caps",
    // "door", or "status.<item>" (status.1 length, .2 position, .3 tracks, .4 mode, .5 media).
    std::set<std::string> failing;
    std::vector<std::string> log;

    FakeMedium& Medium(std::uint32_t id) { return media[opened.at(id).element]; }
    std::uint32_t TimeFormat(std::uint32_t id) const { return opened.at(id).format; }
    bool IsOpen(std::uint32_t id) const { return opened.count(id) != 0; }
    std::size_t OpenCount() const { return opened.size(); }
    int Count(const std::string& prefix) const {
        int count = 0;
        for (const std::string& entry : log) {
            count += entry.compare(0, prefix.size(), prefix) == 0;
        }
        return count;
    }

    MciError OpenElement(const char* element, std::uint32_t& id) override {
        log.push_back(std::string("open ") + element);
        return Open(element, id);
    }
    MciError OpenCdAudio(const char* drive, std::uint32_t& id) override {
        log.push_back(std::string("opencd ") + drive);
        return Open(drive, id);
    }
    MciError Close(std::uint32_t id) override {
        log.push_back("close " + std::to_string(id));
        return opened.erase(id) && !failing.count("close") ? kMciOk : kFailure;
    }
    MciError Play(std::uint32_t id, OwnerWindow notifyWindow, std::uint32_t to) override {
        log.push_back("play notify=" + std::to_string(reinterpret_cast<std::uintptr_t>(notifyWindow)) +
                      " to=" + std::to_string(to));
        return Command(id, "play", kModePlay);
    }
    MciError Stop(std::uint32_t id) override {
        log.push_back("stop");
        return Command(id, "stop", kModeStop);
    }
    MciError Pause(std::uint32_t id) override {
        log.push_back("pause");
        return Command(id, "pause", kModePause);
    }
    MciError Seek(std::uint32_t id, std::uint32_t to) override {
        log.push_back("seek " + std::to_string(to));
        if (!opened.count(id) || failing.count("seek")) {
            return kFailure;
        }
        FakeMedium& medium = Medium(id);
        (opened[id].format == kMciFormatTmsf ? medium.positionTmsf : medium.positionMs) = to;
        medium.mode = kModeStop;
        return kMciOk;
    }
    MciError SetTimeFormat(std::uint32_t id, std::uint32_t format) override {
        log.push_back("format " + std::to_string(format));
        if (!opened.count(id) || failing.count("format")) {
            return kFailure;
        }
        opened[id].format = format;
        return kMciOk;
    }
    MciError Status(std::uint32_t id, const MciStatusQuery& query, std::uint32_t& value) override;
    MciError GetDevCaps(std::uint32_t id, std::uint32_t item, std::uint32_t& value) override {
        log.push_back("caps " + std::to_string(item));
        if (!opened.count(id) || failing.count("caps") || item != kMciCapsDeviceType) {
            return kFailure;
        }
        value = Medium(id).deviceType;
        return kMciOk;
    }
    MciError SetDoor(std::uint32_t id, bool open) override {
        log.push_back(open ? "door open" : "door closed");
        return opened.count(id) && !failing.count("door") ? kMciOk : kFailure;
    }

private:
    struct Opened {
        std::string element;
        std::uint32_t format = kMciFormatMilliseconds;
    };

    MciError Open(const char* element, std::uint32_t& id) {
        if (failing.count("open") || !media.count(element)) {
            return kFailure;
        }
        id = nextId++;
        opened[id] = {element,
                      media[element].deviceType == kDeviceTypeCdAudio ? kMciFormatMsf : kMciFormatMilliseconds};
        return kMciOk;
    }
    MciError Command(std::uint32_t id, const char* name, std::uint32_t mode) {
        if (!opened.count(id) || failing.count(name)) {
            return kFailure;
        }
        Medium(id).mode = mode;
        return kMciOk;
    }

    std::map<std::uint32_t, Opened> opened;
    std::uint32_t nextId = 7;
};

inline MciError FakeMciPort::Status(std::uint32_t id, const MciStatusQuery& query, std::uint32_t& value) {
    log.push_back("status " + std::to_string(query.item) +
                  (query.track ? " track " + std::to_string(query.track) : "") + (query.start ? " start" : ""));
    if (!opened.count(id) || failing.count("status." + std::to_string(query.item))) {
        return kFailure;
    }
    const FakeMedium& medium = Medium(id);
    const std::uint32_t format = opened[id].format;
    switch (query.item) {
        case kMciStatusLength:
            if (query.track != 0) {
                if (query.track > medium.trackLengthMs.size()) {
                    return kFailure;
                }
                value = medium.trackLengthMs[query.track - 1];
            } else {
                value = format == kMciFormatSongPointer           ? medium.lengthSongPointer
                        : format == kMciFormatMsf                 ? medium.discLengthMsf
                        : medium.deviceType == kDeviceTypeCdAudio ? medium.discLengthMs
                                                                  : medium.lengthMs;
            }
            return kMciOk;
        case kMciStatusPosition:
            value = query.start                       ? medium.startMs
                    : format == kMciFormatSongPointer ? medium.positionSongPointer
                    : format == kMciFormatTmsf        ? medium.positionTmsf
                                                      : medium.positionMs;
            return kMciOk;
        case kMciStatusNumberOfTracks:
            value = static_cast<std::uint32_t>(medium.trackLengthMs.size());
            return kMciOk;
        case kMciStatusMode:
            value = medium.mode;
            return kMciOk;
        case kMciStatusMediaPresent:
            value = medium.mediaPresent;
            return kMciOk;
    }
    return kFailure;
}

// Records the notifications a device sends to its owner.
class FakeOwnerNotifier : public OwnerNotifier {
public:
    struct Sent {
        OwnerWindow owner;
        std::uint32_t wParam;
        std::uint32_t lParam;
    };
    void SendNotify(OwnerWindow owner, std::uint32_t wParam, std::uint32_t lParam) override {
        sent.push_back({owner, wParam, lParam});
    }
    std::vector<Sent> sent;
};
