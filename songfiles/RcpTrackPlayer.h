// Plays one Recomposer track into timed MIDI events: notes with their gate times, loops, measure
// repeats, the channel, tempo and exclusive commands. Work is bounded by a budget of processed
// events shared by the whole song, so no song makes it loop forever.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "songfiles/RcpExclusive.h"
#include "songfiles/RcpSong.h"
#include "songfiles/SmfWriter.h"

struct RcpConvertOptions {
    // How often a loop marked "forever" (count 0) is played in all.
    int foreverLoops = 2;
    // Port B is folded onto the channels of port A (false) or left out (true).
    bool dropPortB = false;
    // Events processed for the whole song before the conversion stops where it is: some 30 times
    // what a long song with its loops needs, and at most a few tens of megabytes of output.
    std::uint64_t eventBudget = 1000000;
};

class RcpTrackPlayer {
public:
    // tempoBpm: the header's tempo, to which the tempo commands are relative. startTick: where the
    // song starts in the output (after the control files' setup).
    RcpTrackPlayer(const RcpSong& song,
                   const RcpTrack& track,
                   const RcpConvertOptions& options,
                   std::uint32_t tempoBpm,
                   std::uint32_t startTick,
                   std::uint64_t& budget,
                   SmfTrackEvents& out,
                   SmfTrackEvents& conductor);

    void Run();

private:
    struct Loop {
        std::size_t start;
        int remaining;  // -1 until its end is reached the first time
    };
    struct PendingNote {
        std::uint64_t offTick;
        std::uint8_t channel;
        std::uint8_t key;
    };
    struct TempoRamp {
        bool active = false;
        std::uint64_t start = 0;
        std::uint32_t length = 0;
        std::uint32_t from = 0, to = 0;
        std::uint32_t nextStep = 1;
    };

    // Handles the event at index; answers false when the track has ended.
    bool Step();
    bool FlowCommand(const RcpEvent& event);
    bool LoopEnd(std::uint16_t count);
    bool RepeatMeasure(const RcpEvent& event);
    void ChannelCommand(const RcpEvent& event);
    // The MIDI channel messages of E2 and EA-EE on channel ch.
    void ChannelMessage(std::uint8_t command, std::uint8_t ch, std::uint8_t p1, std::uint8_t p2, std::uint32_t at);
    void Note(const RcpEvent& event);
    void Tempo(std::uint32_t multiplier, std::uint32_t rampTicks);
    void FlushRamp(std::uint64_t limit);
    void EmitTempo(std::uint64_t tick, std::uint32_t multiplier);
    void Exclusive(const std::vector<std::uint8_t>& data, std::uint8_t p1, std::uint8_t p2);
    void Comment(const RcpEvent& first);
    void ChangeChannel(std::uint8_t channel);
    // Gathers the data bytes of the F7 events that follow index and steps over them.
    std::vector<std::uint8_t> TakeContinuation(const RcpEvent& first, bool includeFirst);
    void FlushNotes(std::uint64_t upTo);

    // The output tick of a track tick; the channel to send on (false when nothing may be sent).
    std::uint32_t Out(std::uint64_t tick) const;
    bool SendChannel(std::uint8_t& channel) const;
    int Transposition() const;
    long RepeatTarget(const RcpEvent& event) const;

    const RcpSong& song;
    const RcpTrack& track;
    const RcpConvertOptions& options;
    const std::uint32_t tempoBpm;
    const std::uint32_t startTick;
    std::uint64_t& budget;
    SmfTrackEvents& out;
    SmfTrackEvents& conductor;

    std::size_t index = 0;
    std::uint64_t tick = 0;
    std::uint8_t channel;
    std::vector<Loop> loops;
    int ignoredLoopStarts = 0;
    bool inRepeat = false;
    std::size_t returnIndex = 0;
    int repeatHops = 0;
    std::vector<PendingNote> pending;
    std::uint32_t multiplier = 64;
    std::uint32_t lastTempo = 0;
    TempoRamp ramp;
    InstrumentParameterState instrument;
};
