// One Recomposer track played into MIDI events.
#include "songfiles/RcpTrackPlayer.h"

#include <algorithm>

namespace {

// Deeper loop nesting than the editor allows is ignored (its start and end alike).
constexpr std::size_t kMaxLoopDepth = 16;
// Measure repeats that lead to further repeats; more means a cycle, which is cut off.
constexpr int kMaxRepeatHops = 16;
constexpr std::uint8_t kNoChannel = 0xFF;
constexpr std::uint32_t kNormalMultiplier = 64;  // tempo commands: 64 is 100 %

std::uint8_t Data7(std::uint32_t value) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(value, 0x7F));
}

}  // namespace

RcpTrackPlayer::RcpTrackPlayer(const RcpSong& song,
                               const RcpTrack& track,
                               const RcpConvertOptions& options,
                               std::uint32_t tempoBpm,
                               std::uint32_t startTick,
                               std::uint64_t& budget,
                               SmfTrackEvents& out,
                               SmfTrackEvents& conductor)
    : song(song),
      track(track),
      options(options),
      tempoBpm(tempoBpm),
      startTick(startTick),
      budget(budget),
      out(out),
      conductor(conductor),
      channel(track.channel) {}

void RcpTrackPlayer::Run() {
    if (!track.name.empty()) {
        out.Meta(0, 0x03, track.name);
    }
    ChangeChannel(channel);
    while (budget > 0 && tick <= SmfTrackEvents::kMaxTick && Step()) {
        --budget;
    }
    FlushRamp(~std::uint64_t{0});
    FlushNotes(~std::uint64_t{0});
}

std::uint32_t RcpTrackPlayer::Out(std::uint64_t at) const {
    const std::int64_t shifted =
        static_cast<std::int64_t>(std::min<std::uint64_t>(at, SmfTrackEvents::kMaxTick)) + startTick + track.stepOffset;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(shifted, 0, SmfTrackEvents::kMaxTick));
}

bool RcpTrackPlayer::SendChannel(std::uint8_t& sendOn) const {
    if (track.mute || channel > 0x1F || (channel >= 0x10 && options.dropPortB)) {
        return false;
    }
    sendOn = channel & 0x0F;
    return true;
}

int RcpTrackPlayer::Transposition() const {
    if (track.rhythm == 0x80 || (track.key & 0x80) != 0) {
        return 0;
    }
    const int value = track.key & 0x7F;
    return value >= 0x40 ? value - 0x80 : value;
}

long RcpTrackPlayer::RepeatTarget(const RcpEvent& event) const {
    long target = -1;
    if (song.layout == RcpLayout::kV2) {
        // An offset from the start of the track's header.
        const long offset = event.p1 | (event.p2 << 8);
        const long headerBytes = static_cast<long>(song.TrackHeaderBytes());
        if (offset >= headerBytes && (offset - headerBytes) % 4 == 0) {
            target = (offset - headerBytes) / 4;
        }
    } else if (event.p1 >= 0x30) {
        // Event numbers, counted from 0x30 for the first.
        target = event.p1 - 0x30;
    }
    return target < static_cast<long>(track.events.size()) ? target : -1;
}

bool RcpTrackPlayer::Step() {
    if (index >= track.events.size()) {
        if (!inRepeat) {
            return false;
        }
        inRepeat = false;
        index = returnIndex;
        return true;
    }
    const RcpEvent& event = track.events[index];
    if (event.command >= 0xF0) {
        return FlowCommand(event);
    }
    if (event.command < 0x80) {
        Note(event);
    } else {
        ChannelCommand(event);
    }
    ++index;
    tick += event.p0;
    return true;
}

// Commands F0-FF: no delay; they steer the play through the track.
bool RcpTrackPlayer::FlowCommand(const RcpEvent& event) {
    switch (event.command) {
        case 0xF5: {
            const int count = event.p0 & 0x07;
            const bool flats = (event.p0 & 0x08) != 0;
            const std::string data = {static_cast<char>(flats ? -count : count),
                                      static_cast<char>((event.p0 & 0x10) != 0 ? 1 : 0)};
            conductor.Meta(Out(tick), 0x59, data);
            break;
        }
        case 0xF6:
            Comment(event);
            return true;
        case 0xF8:
            if (LoopEnd(event.p0)) {
                return true;
            }
            break;
        case 0xF9:
            if (loops.size() < kMaxLoopDepth) {
                loops.push_back({index + 1, -1});
            } else {
                ++ignoredLoopStarts;
            }
            break;
        case 0xFC:
            if (RepeatMeasure(event)) {
                return true;
            }
            break;
        case 0xFD:
        case 0xFE:
            if (inRepeat) {
                // The repeated measure is over: on after the command that repeated it.
                inRepeat = false;
                index = returnIndex;
                return true;
            }
            if (event.command == 0xFE) {
                return false;
            }
            break;
        default:
            break;  // F7 without a command before it, and the unused codes
    }
    ++index;
    return true;
}

// Answers true when the play goes back to the loop's start.
bool RcpTrackPlayer::LoopEnd(std::uint16_t count) {
    if (ignoredLoopStarts > 0) {
        --ignoredLoopStarts;
        return false;
    }
    if (loops.empty()) {
        return false;
    }
    Loop& loop = loops.back();
    if (loop.remaining < 0) {
        const int plays = count == 0 ? options.foreverLoops : count;
        loop.remaining = std::max(plays, 1) - 1;
    }
    if (loop.remaining > 0) {
        --loop.remaining;
        index = loop.start;
        return true;
    }
    loops.pop_back();
    return false;
}

// A repeat inside a repeated measure leads on to its own measure but returns to where the first
// repeat was; answers true when it moved the play.
bool RcpTrackPlayer::RepeatMeasure(const RcpEvent& event) {
    const long target = RepeatTarget(event);
    if (target < 0) {
        return false;
    }
    if (!inRepeat) {
        inRepeat = true;
        returnIndex = index + 1;
        repeatHops = 0;
    } else if (++repeatHops > kMaxRepeatHops) {
        inRepeat = false;
        index = returnIndex;
        return true;
    }
    index = static_cast<std::size_t>(target);
    return true;
}

void RcpTrackPlayer::ChannelCommand(const RcpEvent& event) {
    std::uint8_t ch = 0;
    const bool send = SendChannel(ch);
    const std::uint8_t p1 = Data7(event.p1);
    const std::uint8_t p2 = Data7(event.p2);
    const std::uint32_t at = Out(tick);
    std::vector<std::uint8_t> message;
    if (event.command >= 0x90 && event.command <= 0x97) {
        Exclusive(song.userExclusive[event.command - 0x90], static_cast<std::uint8_t>(event.p1), event.p2);
        return;
    }
    if (event.command == 0x98) {
        const std::vector<std::uint8_t> data = TakeContinuation(event, false);
        Exclusive(data, static_cast<std::uint8_t>(event.p1), event.p2);
        return;
    }
    if (InstrumentParameterCommand(event.command, p1, p2, ch, instrument, message)) {
        if (send && !message.empty()) {
            out.Exclusive(at, message);
        }
        return;
    }
    switch (event.command) {
        case 0xE6:
            if (event.p1 <= 0x20) {
                ChangeChannel(event.p1 == 0 ? kNoChannel : static_cast<std::uint8_t>(event.p1 - 1));
            }
            return;
        case 0xE7:
            Tempo(event.p1, event.p2);
            return;
        default:
            break;
    }
    if (send) {
        ChannelMessage(event.command, ch, p1, p2, at);
    }
}

void RcpTrackPlayer::ChannelMessage(std::uint8_t command,
                                    std::uint8_t ch,
                                    std::uint8_t p1,
                                    std::uint8_t p2,
                                    std::uint32_t at) {
    switch (command) {
        case 0xE2:
            out.Channel(at, 0xB0 | ch, 0, p2);
            out.Channel(at, 0xC0 | ch, p1);
            break;
        case 0xEA:
            out.Channel(at, 0xD0 | ch, p1);
            break;
        case 0xEB:
            out.Channel(at, 0xB0 | ch, p1, p2);
            break;
        case 0xEC:
            out.Channel(at, 0xC0 | ch, p1);
            break;
        case 0xED: {
            const int key = p1 + Transposition();
            if (key >= 0 && key <= 0x7F) {
                out.Channel(at, 0xA0 | ch, static_cast<std::uint8_t>(key), p2);
            }
            break;
        }
        case 0xEE:
            out.Channel(at, 0xE0 | ch, p1, p2);
            break;
        default:
            break;  // E5 (key scan) and codes without a MIDI meaning
    }
}

void RcpTrackPlayer::Note(const RcpEvent& event) {
    std::uint8_t ch = 0;
    const std::uint8_t velocity = Data7(event.p2);
    const int key = event.command + Transposition();
    if (event.p1 == 0 || velocity == 0 || !SendChannel(ch) || key < 0 || key > 0x7F) {
        return;
    }
    FlushNotes(tick);
    // A note still sounding on this key ends where the new one starts: one note-off per note-on.
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (it->channel == ch && it->key == key) {
            out.NoteOff(Out(tick), ch, static_cast<std::uint8_t>(key));
            pending.erase(it);
            break;
        }
    }
    out.Channel(Out(tick), 0x90 | ch, static_cast<std::uint8_t>(key), velocity);
    pending.push_back({tick + event.p1, ch, static_cast<std::uint8_t>(key)});
}

void RcpTrackPlayer::FlushNotes(std::uint64_t upTo) {
    auto ended = std::stable_partition(pending.begin(), pending.end(),
                                       [upTo](const PendingNote& note) { return note.offTick > upTo; });
    for (auto it = ended; it != pending.end(); ++it) {
        out.NoteOff(Out(it->offTick), it->channel, it->key);
    }
    pending.erase(ended, pending.end());
}

void RcpTrackPlayer::ChangeChannel(std::uint8_t newChannel) {
    channel = newChannel;
    std::uint8_t ch = 0;
    if (SendChannel(ch)) {
        // The port as a MIDI port meta event, for players with two outputs; the channel messages
        // themselves fold port B onto the channels of the one output.
        out.Meta(Out(tick), 0x21, std::string(1, static_cast<char>(channel >> 4)));
    }
}

void RcpTrackPlayer::Tempo(std::uint32_t newMultiplier, std::uint32_t rampTicks) {
    FlushRamp(tick);
    ramp.active = false;
    if (newMultiplier == 0) {
        return;
    }
    if (rampTicks == 0) {
        multiplier = newMultiplier;
        EmitTempo(tick, multiplier);
        return;
    }
    ramp = {true, tick, rampTicks, multiplier, newMultiplier, 1};
}

// Emits the steps of a gradual tempo change that fall before limit; a later tempo command cuts
// the rest off.
void RcpTrackPlayer::FlushRamp(std::uint64_t limit) {
    while (ramp.active && ramp.nextStep <= ramp.length && ramp.start + ramp.nextStep < limit) {
        const std::int64_t from = ramp.from;
        const std::int64_t to = ramp.to;
        multiplier = static_cast<std::uint32_t>(from + (to - from) * ramp.nextStep / ramp.length);
        EmitTempo(ramp.start + ramp.nextStep, multiplier);
        ++ramp.nextStep;
    }
    if (ramp.nextStep > ramp.length) {
        ramp.active = false;
    }
}

void RcpTrackPlayer::EmitTempo(std::uint64_t at, std::uint32_t value) {
    const std::uint64_t product = std::uint64_t{tempoBpm} * std::max<std::uint32_t>(value, 1);
    const std::uint32_t micros =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(60000000ull * kNormalMultiplier / product, 0xFFFFFF));
    if (micros != lastTempo) {
        conductor.Tempo(Out(at), micros);
        lastTempo = micros;
    }
}

void RcpTrackPlayer::Exclusive(const std::vector<std::uint8_t>& data, std::uint8_t p1, std::uint8_t p2) {
    std::uint8_t ch = 0;
    if (SendChannel(ch) && !data.empty()) {
        out.Exclusive(Out(tick), ExpandExclusive(data, p1, p2, ch));
    }
}

std::vector<std::uint8_t> RcpTrackPlayer::TakeContinuation(const RcpEvent& first, bool includeFirst) {
    // The 2.0 layout carries two bytes per event (p1 p2); the 3.0 layout all five.
    const std::size_t skip = song.layout == RcpLayout::kV2 ? 1 : 0;
    std::vector<std::uint8_t> data;
    auto append = [&](const RcpEvent& event) {
        data.insert(data.end(), event.raw.begin() + skip, event.raw.begin() + event.rawCount);
    };
    if (includeFirst) {
        append(first);
    }
    while (index + 1 < track.events.size() && track.events[index + 1].command == 0xF7 && budget > 0) {
        ++index;
        --budget;
        append(track.events[index]);
    }
    return data;
}

void RcpTrackPlayer::Comment(const RcpEvent& first) {
    std::vector<std::uint8_t> data = TakeContinuation(first, true);
    ++index;
    while (!data.empty() && (data.back() == ' ' || data.back() == 0)) {
        data.pop_back();
    }
    if (!data.empty()) {
        out.Meta(Out(tick), 0x01, std::string(data.begin(), data.end()));
    }
}
