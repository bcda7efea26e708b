// The WRD player's life cycle, its stepping through the script against the song's tick, and the
// conversion between measures and ticks.
#include "wrd/WrdPlayer.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "wrd/MagDecoder.h"

namespace {

constexpr char kWindowCaption[] = "WRD表示";
constexpr char kStartupMarker[] = "@STARTUP";

}  // namespace

std::uint32_t SteadyClockMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

WrdPlayer::WrdPlayer(OwnerWindow owner, const char* scriptPath, MediaDevice& device, std::uint16_t timebase)
    : device_(device), timebase_(timebase), console_(screen_), scriptPath_(scriptPath ? scriptPath : "") {
    window_ = CreateScreenWindow(screen_, owner);
    std::vector<std::uint8_t> bytes;
    scriptRead_ = !scriptPath_.empty() && ActiveFileSystem().ReadFile(scriptPath_.c_str(), bytes, kMaxScriptBytes);
    if (!scriptRead_) {
        bytes.clear();  // an unreadable script is an empty one: nothing is shown
    }
    reader_.SetScript(bytes);
    Reset();
}

WrdPlayer::~WrdPlayer() {
    window_.reset();  // the window reads the model, so it goes first
}

void WrdPlayer::OpenWindow() {
    if (window_) {
        window_->Open(kWindowCaption);
    }
}

void WrdPlayer::CloseWindow() {
    if (window_) {
        window_->Close();
    }
}

bool WrdPlayer::IsWindowOpen() const {
    return window_ && window_->IsOpen();
}

void WrdPlayer::Reset() {
    screen_.SetDrawingEnabled(true);
    ended_ = false;
    nextTick_ = 0;
    lastTick_ = 0;
    stepMode_ = 0;
    charMode_ = 0;
    measureOffset_ = 0;
    reader_.Rewind();
    screen_.ResetText();
    screen_.ResetGraphics();
    char imagePath[kMaxPathBytes];
    if (ReplaceExtension(imagePath, scriptPath_.c_str(), ".mag") && FileExists(imagePath)) {
        LoadMag(imagePath, -1, -1, 1, kMagUseImagePalette, screen_);
    }
    // A marked first step is carried out before the song starts; the next one is still due at 0.
    if (reader_.StartsWithIgnoringCase(kStartupMarker)) {
        Advance(0);
        nextTick_ = 0;
    }
}

void WrdPlayer::Advance(std::uint32_t tick) {
    if (tick == 0 && lastTick_ != 0) {
        Reset();  // the song went back to its start
    }
    lastTick_ = tick;
    const std::uint32_t started = clock_();
    bool stepped = false;
    while (!ended_ && tick >= nextTick_) {
        // A large jump forward is spread over several calls so the user interface stays live.
        if (stepped && nextTick_ != 0 && clock_() - started > kAdvanceBudgetMs) {
            return;
        }
        stepped = true;
        // Far behind the song only the model is updated; turning drawing on redraws everything.
        screen_.SetDrawingEnabled(tick - nextTick_ <= 2u * timebase_);
        for (;;) {
            const WrdUnit unit = reader_.ReadUnit(charMode_ != 0);
            if (unit.endOfScript) {
                ended_ = true;
                break;
            }
            if (RunUnit(unit)) {
                if (tick < nextTick_) {
                    screen_.SetDrawingEnabled(true);
                }
                return;
            }
            if (unit.stepComplete) {
                break;
            }
        }
        if (!ended_) {
            TakeStep();
        }
    }
    // Caught up with the song (or at the script's end): show what the silent steps drew.
    screen_.SetDrawingEnabled(true);
}

bool WrdPlayer::RunUnit(const WrdUnit& unit) {
    if (!unit.bytes.empty() && unit.bytes[0] == '@') {
        return RunCommand(unit.bytes.substr(1));
    }
    console_.PutBytes(reinterpret_cast<const std::uint8_t*>(unit.bytes.data()), unit.bytes.size());
    return false;
}

// One step is a measure (to the start of the next one) or stepMode + 1 MIDI clocks of 24 to the
// quarter note. A negative step mode gives steps of no length.
void WrdPlayer::TakeStep() {
    if (stepMode_ == 0) {
        const MeasurePosition at = MeasureAt(nextTick_);
        // The start of the next measure, taken from the map itself: at the first tick of a new
        // meter the device reports the length of the measures before it. Past the song's end the
        // map stops; there the measures go on with the last length.
        const std::uint32_t next = MeasureStart(std::int64_t{at.measure} + 1);
        if (next > nextTick_ && next - nextTick_ <= at.ticksPerMeasure) {
            nextTick_ = next;
        } else {
            SetNextTick(std::uint64_t{nextTick_} + at.ticksPerMeasure - at.tickInMeasure % at.ticksPerMeasure);
        }
    } else if (stepMode_ > 0) {
        SetNextTick(std::uint64_t{nextTick_} + (std::uint64_t(stepMode_) + 1) * timebase_ / 24);
    }
}

void WrdPlayer::SetNextTick(std::uint64_t tick) {
    nextTick_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(tick, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t WrdPlayer::FallbackMeasureTicks() const {
    return std::max<std::uint32_t>(4u * timebase_, 1);
}

std::uint32_t WrdPlayer::MeasureStart(std::int64_t measure) {
    const auto clamped =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(measure, 0, std::numeric_limits<std::int32_t>::max()));
    MeasurePosition position;
    if (device_.MeasureToPosition(position, clamped)) {
        return position.tick;
    }
    const std::uint64_t tick = std::uint64_t(clamped) * FallbackMeasureTicks();
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(tick, std::numeric_limits<std::uint32_t>::max()));
}

MeasurePosition WrdPlayer::MeasureAt(std::uint32_t tick) {
    MeasurePosition position;
    if (tick <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) &&
        device_.PositionToMeasure(position, static_cast<std::int32_t>(tick)) && position.ticksPerMeasure > 0) {
        return position;
    }
    const std::uint32_t length = FallbackMeasureTicks();
    position.tick = tick;
    position.measure = tick / length;
    position.tickInMeasure = tick % length;
    position.ticksPerMeasure = length;
    return position;
}
