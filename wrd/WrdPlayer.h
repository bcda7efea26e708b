// Runs a song's WRD script on the emulated PC-98 screen in step with the music: text lines and
// commands are carried out as the song's MIDI tick passes the step at which each is due.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "devices/MediaDevice.h"
#include "wrd/ScreenModel.h"
#include "wrd/ScreenWindow.h"
#include "wrd/TextEscapes.h"
#include "wrd/WrdScriptReader.h"

struct WrdCommand;

// Milliseconds from any fixed point; only differences are used.
using WrdClock = std::function<std::uint32_t()>;

// The system's steady clock in milliseconds.
std::uint32_t SteadyClockMilliseconds();

class WrdPlayer {
public:
    // Longest time one Advance call spends in the script, tested between steps.
    static constexpr std::uint32_t kAdvanceBudgetMs = 100;
    // Larger scripts are not read (the player then has an empty script).
    static constexpr std::size_t kMaxScriptBytes = 16u << 20;

    // Reads the whole script through the active file system and resets. The device (not owned)
    // gives the measure map; timebase is the song's ticks per quarter note.
    WrdPlayer(OwnerWindow owner, const char* scriptPath, MediaDevice& device, std::uint16_t timebase);
    ~WrdPlayer();
    WrdPlayer(const WrdPlayer&) = delete;
    WrdPlayer& operator=(const WrdPlayer&) = delete;

    void OpenWindow();
    void CloseWindow();
    bool IsWindowOpen() const;

    // Runs the script up to the song's tick (a tick of 0 after any other restarts it).
    void Advance(std::uint32_t tick);
    // Back to the start of the script with a cleared screen and the companion image.
    void Reset();

    // Replaces the clock that limits one Advance call (tests).
    void SetClock(WrdClock clock) { clock_ = std::move(clock); }

    ScreenModel& Screen() { return screen_; }
    const ScreenModel& Screen() const { return screen_; }
    bool ScriptRead() const { return scriptRead_; }
    bool Ended() const { return ended_; }
    std::uint32_t NextTick() const { return nextTick_; }
    std::uint32_t LastTick() const { return lastTick_; }
    std::int32_t StepMode() const { return stepMode_; }
    std::int32_t CharMode() const { return charMode_; }
    std::int32_t MeasureOffset() const { return measureOffset_; }

private:
    // Runs one unit; true when it asks Advance to return at once.
    bool RunUnit(const WrdUnit& unit);
    void TakeStep();
    // The first tick of a 0-based measure, and the measure holding a tick. Without a usable
    // measure map from the device, measures of four quarter notes are assumed.
    std::uint32_t MeasureStart(std::int64_t measure);
    MeasurePosition MeasureAt(std::uint32_t tick);
    std::uint32_t FallbackMeasureTicks() const;
    void SetNextTick(std::uint64_t tick);

    // The command table (WrdPlayerCommands.cpp); each answers true to end the Advance call.
    bool RunCommand(const std::string& text);
    void WriteEscape(const std::string& body);
    bool Wait(const WrdCommand& command);
    bool Rest(const WrdCommand& command);
    void Locate(const WrdCommand& command);
    void TextClear(const WrdCommand& command);
    void GraphicsLine(const WrdCommand& command);
    void SetPaletteColours(const WrdCommand& command);
    void LoadImage(const WrdCommand& command);
    void MoveGraphics(const WrdCommand& command);
    void Fade(const WrdCommand& command);
    void WaitMode(const WrdCommand& command);

    MediaDevice& device_;
    const std::uint16_t timebase_;
    ScreenModel screen_;
    TextEscapes console_;
    std::unique_ptr<ScreenWindow> window_;
    std::string scriptPath_;
    WrdScriptReader reader_;
    WrdClock clock_ = SteadyClockMilliseconds;
    bool scriptRead_ = false;
    bool ended_ = false;
    std::uint32_t nextTick_ = 0;
    std::uint32_t lastTick_ = 0;
    std::int32_t stepMode_ = 0;
    std::int32_t charMode_ = 0;
    std::int32_t measureOffset_ = 0;
};
