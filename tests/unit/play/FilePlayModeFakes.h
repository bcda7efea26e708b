// Fakes for the file play mode's tests: devices that record what they were asked to open, the
// companion windows and the open dialog. The owner window is the play tests' RecordingOwner.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/containers/PathHelpers.h"
#include "play/FileModeParts.h"
#include "play/PlayOwner.h"
#include "songfiles/FileTypes.h"

class FakeFileDevice : public MediaDevice {
public:
    FakeFileDevice(std::string name, std::vector<std::string>& log) : MediaDevice(nullptr), name(name), log(log) {}
    ~FakeFileDevice() = default;

    int Open(const char* fileName) override {
        log.push_back(name + " " + fileName);
        if (refuse) {
            return 0;
        }
        isOpen = 1;
        lengthMs = 3000;
        // MCI sounds MIDI on the sequencer and everything else on another driver.
        deviceType = name == "mci" && (HasExtension(fileName, ".mid") || HasExtension(fileName, ".rcp"))
                         ? kDeviceTypeSequencer
                         : kDeviceTypeWaveAudio;
        mode = kModeStop;
        return 1;
    }
    void Close() override {
        if (isOpen) {
            log.push_back(name + " close");
        }
        isOpen = 0;
        mode = kModeNotReady;
    }
    int Play() override {
        mode = kModePlay;
        return 1;
    }
    int Stop() override {
        mode = kModeStop;
        return 1;
    }
    int Pause() override {
        mode = kModePause;
        return 1;
    }
    int Seek(std::uint32_t milliseconds) override { return static_cast<int>(milliseconds); }
    int GetPosition() override { return 0; }
    int GetMode() override { return mode; }
    int GetTickPosition() override { return tick; }

    const std::string name;
    std::vector<std::string>& log;
    bool refuse = false;
    int mode = kModeNotReady;
    int tick = 0;
};

class FakeText : public CompanionText {
public:
    explicit FakeText(std::vector<std::string>& log) : log(log) {}
    ~FakeText() override { log.push_back("text closed"); }
    bool IsOpen() const override { return open; }
    std::vector<std::string>& log;
    bool open = true;
};

class FakeScript : public CompanionScript {
public:
    explicit FakeScript(std::vector<std::uint32_t>& ticks) : ticks(ticks) {}
    void OpenWindow() override { open = true; }
    void CloseWindow() override { open = false; }
    bool IsWindowOpen() const override { return open; }
    void Advance(std::uint32_t tick) override { ticks.push_back(tick); }
    std::vector<std::uint32_t>& ticks;
    bool open = false;
};

class FakeParts : public FileModeParts {
public:
    MediaDevice& MciDevice() override { return mci; }
    MediaDevice& WaveDevice() override { return wave; }
    MediaDevice& Mp3Device() override { return mp3; }
    std::uint16_t MciTimebase() override { return 48; }
    std::unique_ptr<CompanionText> OpenTextViewer(const char* path) override {
        log.push_back(std::string("text ") + path);
        return std::make_unique<FakeText>(log);
    }
    std::unique_ptr<CompanionScript> MakeWrdPlayer(const char* scriptPath,
                                                   MediaDevice& device,
                                                   std::uint16_t timebase) override {
        log.push_back(std::string("wrd ") + scriptPath + " on " + static_cast<FakeFileDevice&>(device).name +
                      " timebase " + std::to_string(timebase));
        return std::make_unique<FakeScript>(advancedTicks);
    }
    OpenDialogResult RunOpenDialog(const char* initialDirectory, std::int32_t filterIndex) override {
        log.push_back(std::string("dialog ") + initialDirectory + " " + std::to_string(filterIndex));
        return dialogAnswer;
    }

    std::vector<std::string> log;
    std::vector<std::uint32_t> advancedTicks;
    OpenDialogResult dialogAnswer;
    FakeFileDevice mci{"mci", log};
    FakeFileDevice wave{"wave", log};
    FakeFileDevice mp3{"mp3", log};
};
