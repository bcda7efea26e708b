// The Recomposer converter: every event kind of both layouts, loops, measure repeats, ports, the
// header's meta events, and input that is damaged or endless.
#include "songfiles/RcpConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "devices/MidiSequence.h"
#include "tests/support/RcpSongBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const RcpLayout kLayouts[] = {RcpLayout::kV2, RcpLayout::kV3};

const char* LayoutName(RcpLayout layout) {
    return layout == RcpLayout::kV2 ? "2.0" : "3.0";
}

struct Converted {
    RcpReadResult result;
    RcpConversion conversion;
    std::vector<SmfEventRecord> events;

    // Events of the Recomposer tracks (the conductor track left out) whose status is status.
    std::vector<SmfEventRecord> Messages(std::uint8_t status, std::uint8_t mask = 0xF0) const {
        std::vector<SmfEventRecord> found;
        for (const SmfEventRecord& event : events) {
            if (event.track > 0 && (event.bytes[0] & mask) == status) {
                found.push_back(event);
            }
        }
        return found;
    }
    std::vector<SmfEventRecord> Meta(std::uint8_t type, bool conductorOnly = false) const {
        std::vector<SmfEventRecord> found;
        for (const SmfEventRecord& event : events) {
            if (event.bytes[0] == 0xFF && event.bytes[1] == type && (!conductorOnly || event.track == 0)) {
                found.push_back(event);
            }
        }
        return found;
    }
    // Note-ons with a velocity (note-offs are note-ons with velocity 0).
    std::vector<SmfEventRecord> NotesOn() const {
        std::vector<SmfEventRecord> found;
        for (const SmfEventRecord& event : Messages(0x90)) {
            if (event.bytes[2] != 0) {
                found.push_back(event);
            }
        }
        return found;
    }
};

Converted Convert(const std::string& song,
                  RcpConvertOptions options = {},
                  const std::map<std::string, std::string>& controlFiles = {}) {
    Converted converted;
    RcpControlLoader loader = [&controlFiles](const std::string& name, Bytes& bytes) {
        const auto it = controlFiles.find(name);
        if (it == controlFiles.end()) {
            return false;
        }
        bytes.assign(it->second.begin(), it->second.end());
        return true;
    };
    converted.result = ConvertRcpToSmf(reinterpret_cast<const std::uint8_t*>(song.data()), song.size(), options, loader,
                                       converted.conversion);
    converted.events = ReadSmfEvents(converted.conversion.smf);
    return converted;
}

// The song of builder with one more track on the channel holding events, then the track end.
std::string OneTrackSong(RcpSongBuilder song, const std::string& events, std::uint8_t channel = 0) {
    song.AddTrack(channel).events = events + song.End();
    return song.Build();
}

std::string OneTrackSong(RcpLayout layout, const std::string& events, std::uint8_t channel = 0) {
    return OneTrackSong(RcpSongBuilder(layout), events, channel);
}

TEST(RcpConverter, EveryChannelCommandBecomesItsMidiMessages) {
    struct Case {
        const char* name;
        std::uint8_t command;
        std::uint16_t p1;
        std::uint8_t p2;
        Bytes expected;  // every message the command sends, in order (channel 3)
    };
    const Case cases[] = {
        {"program", 0xEC, 0x15, 0, {0xC3, 0x15}},
        {"bank and program", 0xE2, 0x07, 0x08, {0xB3, 0x00, 0x08, 0xC3, 0x07}},
        {"control change", 0xEB, 0x07, 0x64, {0xB3, 0x07, 0x64}},
        {"channel aftertouch", 0xEA, 0x30, 0, {0xD3, 0x30}},
        {"key aftertouch", 0xED, 0x3C, 0x22, {0xA3, 0x3C, 0x22}},
        {"pitch bend", 0xEE, 0x01, 0x41, {0xE3, 0x01, 0x41}},
        {"DX7 function", 0xC0, 0x05, 0x06, {0xF0, 0x43, 0x13, 0x08, 0x05, 0x06, 0xF7}},
        {"FB-01 system", 0xC6, 0x05, 0x06, {0xF0, 0x43, 0x75, 0x03, 0x10, 0x05, 0x06, 0xF7}},
        {"TX81Z effect", 0xCB, 0x05, 0x06, {0xF0, 0x43, 0x13, 0x10, 0x7C, 0x05, 0x06, 0xF7}},
        {"MKS-7", 0xDC, 0x05, 0x06, {0xF0, 0x41, 0x32, 0x03, 0x05, 0x06, 0xF7}},
        {"key scan sends nothing", 0xE5, 0x05, 0, {}},
    };
    for (RcpLayout layout : kLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(LayoutName(layout)) + " " + c.name);
            RcpSongBuilder builder(layout);
            const std::string events = builder.Event(c.command, 10, c.p1, c.p2) + builder.Note(60, 5, 4, 100);
            const Converted converted = Convert(OneTrackSong(layout, events, 3));
            ASSERT_EQ(converted.result, RcpReadResult::kOk);
            Bytes sent;
            for (const SmfEventRecord& event : converted.events) {
                const bool channelMessage = event.bytes[0] >= 0x80 && event.bytes[0] < 0xF0;
                if (event.track == 1 && (channelMessage || event.bytes[0] == 0xF0) && (event.bytes[0] & 0xF0) != 0x90) {
                    EXPECT_EQ(event.tick, 0u);
                    sent.insert(sent.end(), event.bytes.begin(), event.bytes.end());
                }
            }
            EXPECT_EQ(sent, c.expected);
            // The command's delay moves the following note.
            ASSERT_EQ(converted.NotesOn().size(), 1u);
            EXPECT_EQ(converted.NotesOn()[0].tick, 10u);
        }
    }
}

TEST(RcpConverter, NotesGetGateVelocityTranspositionAndStepOffset) {
    struct Case {
        const char* name;
        std::uint8_t key, rhythm, stepOffset;
        std::uint8_t note, gate, velocity;
        int onTick, offTick;  // -1: no note
        std::uint8_t sentKey;
    };
    const Case cases[] = {
        {"plain", 0, 0, 0, 60, 30, 100, 0, 30, 60},
        {"up an octave", 0x0C, 0, 0, 60, 30, 100, 0, 30, 72},
        {"down an octave", 0x74, 0, 0, 60, 30, 100, 0, 30, 48},
        {"rhythm track is not transposed", 0x0C, 0x80, 0, 60, 30, 100, 0, 30, 60},
        {"key with bit 7 is not transposed", 0x8C, 0, 0, 60, 30, 100, 0, 30, 60},
        {"step offset", 0, 0, 5, 60, 30, 100, 5, 35, 60},
        {"gate 0 is silent", 0, 0, 0, 60, 0, 100, -1, -1, 0},
        {"velocity 0 is silent", 0, 0, 0, 60, 30, 0, -1, -1, 0},
        {"transposed out of range is dropped", 0x3F, 0, 0, 120, 30, 100, -1, -1, 0},
    };
    for (RcpLayout layout : kLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(LayoutName(layout)) + " " + c.name);
            RcpSongBuilder builder(layout);
            RcpSongBuilder::Track& track = builder.AddTrack(2);
            track.key = c.key;
            track.rhythm = c.rhythm;
            track.stepOffset = c.stepOffset;
            track.events = builder.Note(c.note, 48, c.gate, c.velocity) + builder.End();
            const Converted converted = Convert(builder.Build());
            const auto notes = converted.Messages(0x90);
            if (c.onTick < 0) {
                EXPECT_TRUE(notes.empty());
                continue;
            }
            ASSERT_EQ(notes.size(), 2u);
            EXPECT_EQ(notes[0].tick, static_cast<std::uint32_t>(c.onTick));
            EXPECT_EQ(notes[0].bytes, (Bytes{0x92, c.sentKey, c.velocity}));
            EXPECT_EQ(notes[1].tick, static_cast<std::uint32_t>(c.offTick));
            EXPECT_EQ(notes[1].bytes, (Bytes{0x92, c.sentKey, 0}));
        }
    }
}

// Every note-on of a key is ended by exactly one note-off before the next note-on of that key.
void ExpectNoHangingNotes(const Converted& converted) {
    std::map<int, int> sounding;
    for (const SmfEventRecord& event : converted.Messages(0x90)) {
        int& count = sounding[(event.track << 8) | event.bytes[1]];
        count += event.bytes[2] != 0 ? 1 : -1;
        EXPECT_GE(count, 0);
        EXPECT_LE(count, 1) << "note " << int(event.bytes[1]) << " at " << event.tick;
    }
    for (const auto& entry : sounding) {
        EXPECT_EQ(entry.second, 0);
    }
}

TEST(RcpConverter, OverlappingNotesOnOneKeyNeverHang) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        // Gates longer than the delays: each note outlasts the start of the next on the same key;
        // the last pair ends on the same tick the next starts.
        const std::string events = b.Note(60, 10, 50, 100) + b.Note(60, 10, 50, 90) + b.Note(62, 0, 5, 80) +
                                   b.Note(60, 20, 20, 70) + b.Note(60, 10, 10, 60);
        const Converted converted = Convert(OneTrackSong(layout, events));
        ExpectNoHangingNotes(converted);
        const auto notes = converted.Messages(0x90);
        // The first C ends at 10, where the second starts: off before on.
        ASSERT_GE(notes.size(), 3u);
        EXPECT_EQ(notes[1].tick, 10u);
        EXPECT_EQ(notes[1].bytes[2], 0);
        EXPECT_EQ(notes[2].tick, 10u);
        EXPECT_EQ(notes[2].bytes[2], 90);
        EXPECT_EQ(converted.NotesOn().size(), 5u);
    }
}

TEST(RcpConverter, LoopsRepeatByTheirCountsAndForeverLoopsByTheSetting) {
    struct Case {
        const char* name;
        int innerCount, outerCount, foreverLoops;
        std::size_t notes;
    };
    // Outer loop: a note, the inner loop of one note, and the outer end.
    const Case cases[] = {
        {"3 x (1 + 2)", 2, 3, 2, 3 * (1 + 2)},      {"once each", 1, 1, 2, 2},
        {"inner forever, setting 2", 0, 1, 2, 3},   {"both forever, setting 3", 0, 0, 3, 3 * (1 + 3)},
        {"setting below 1 plays once", 0, 0, 0, 2},
    };
    for (RcpLayout layout : kLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(LayoutName(layout)) + " " + c.name);
            RcpSongBuilder b(layout);
            const std::string events = b.Event(0xF9, 1, 0, 0) + b.Note(60, 10, 5, 100) + b.Event(0xF9, 1, 0, 0) +
                                       b.Note(64, 10, 5, 100) + b.Event(0xF8, c.innerCount, 0, 0) +
                                       b.Event(0xF8, c.outerCount, 0, 0);
            RcpConvertOptions options;
            options.foreverLoops = c.foreverLoops;
            const Converted converted = Convert(OneTrackSong(layout, events), options);
            const auto notes = converted.NotesOn();
            EXPECT_EQ(notes.size(), c.notes);
            // Played one after the other, 10 ticks apart.
            for (std::size_t i = 0; i < notes.size(); ++i) {
                EXPECT_EQ(notes[i].tick, i * 10);
            }
        }
    }
}

TEST(RcpConverter, MeasureRepeatsPlayTheReferencedMeasureAndChain) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        // Measure 0: note 60 (events 0-1). Measure 1: repeat of measure 0, note 62 (events 2-4).
        // Measure 2: repeat of measure 1, which itself repeats measure 0 (events 5-6); then 64.
        const std::string events = b.Note(60, 10, 5, 100) + b.Event(0xFD, 0, 0, 0) + b.RepeatMeasure(0) +
                                   b.Note(62, 10, 5, 100) + b.Event(0xFD, 0, 0, 0) + b.RepeatMeasure(2) +
                                   b.Event(0xFD, 0, 0, 0) + b.Note(64, 10, 5, 100);
        const Converted converted = Convert(OneTrackSong(layout, events));
        std::vector<int> keys;
        for (const SmfEventRecord& note : converted.NotesOn()) {
            keys.push_back(note.bytes[1]);
        }
        // The chained repeat plays measure 0 and then goes on after the first repeat command.
        EXPECT_EQ(keys, (std::vector<int>{60, 60, 62, 60, 64}));
    }
}

TEST(RcpConverter, EndlessStructuresEndWithWhatWasRead) {
    for (RcpLayout layout : kLayouts) {
        RcpSongBuilder b(layout);
        const std::string note = b.Note(60, 10, 5, 100);
        const struct {
            const char* name;
            std::string events;
            std::size_t notes;
        } cases[] = {
            {"repeat of itself", note + b.RepeatMeasure(1) + note, 2},
            {"two repeats of each other", note + b.RepeatMeasure(2) + b.RepeatMeasure(1) + note, 2},
            {"repeat past the track", note + b.RepeatMeasure(400) + note, 2},
            {"loop without an end", b.Event(0xF9, 1, 0, 0) + note + note, 2},
            {"loop end without a start", note + b.Event(0xF8, 3, 0, 0) + note, 2},
            {"loops nested deeper than kept",
             std::string() +
                 [&] {
                     std::string deep;
                     for (int i = 0; i < 20; ++i)
                         deep += b.Event(0xF9, 1, 0, 0);
                     deep += note;
                     for (int i = 0; i < 20; ++i)
                         deep += b.Event(0xF8, 1, 0, 0);
                     return deep;
                 }(),
             1},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(LayoutName(layout)) + " " + c.name);
            const Converted converted = Convert(OneTrackSong(layout, c.events));
            ASSERT_EQ(converted.result, RcpReadResult::kOk);
            EXPECT_EQ(converted.NotesOn().size(), c.notes);
            EXPECT_FALSE(converted.conversion.cut);
        }
    }
}

TEST(RcpConverter, NestedForeverLoopsStopAtTheEventBudget) {
    RcpSongBuilder b;
    std::string events;
    for (int i = 0; i < 8; ++i)
        events += b.Event(0xF9, 1, 0, 0);
    events += b.Note(60, 1, 1, 100);
    for (int i = 0; i < 8; ++i)
        events += b.Event(0xF8, 255, 0, 0);
    RcpConvertOptions options;
    options.eventBudget = 100000;
    const Converted converted = Convert(OneTrackSong(RcpLayout::kV2, events), options);
    ASSERT_EQ(converted.result, RcpReadResult::kOk);
    EXPECT_TRUE(converted.conversion.cut);
    EXPECT_LE(converted.NotesOn().size(), 100000u);
    ExpectNoHangingNotes(converted);
    MidiSequence sequence;
    EXPECT_EQ(sequence.LoadBytes(converted.conversion.smf.data(), converted.conversion.smf.size()),
              MidiSequence::kLoaded);
}

TEST(RcpConverter, PortsFoldOrDropAndTheChannelCommandSwitches) {
    struct Case {
        const char* name;
        std::uint8_t headerChannel;
        int changeTo;  // E6 parameter before the second note, -1 none
        bool dropPortB;
        std::vector<int> statuses;  // note-on statuses sent
    };
    const Case cases[] = {
        {"port A channel 5", 0x04, -1, false, {0x94, 0x94}},
        {"port B folded", 0x14, -1, false, {0x94, 0x94}},
        {"port B dropped", 0x14, -1, true, {}},
        {"no device", 0xFF, -1, false, {}},
        {"switch to channel 2", 0x04, 2, false, {0x94, 0x91}},
        {"switch to port B channel 1 dropped", 0x04, 17, true, {0x94}},
        {"switch to mute", 0x04, 0, false, {0x94}},
        {"switch out of range ignored", 0x04, 40, false, {0x94, 0x94}},
    };
    for (RcpLayout layout : kLayouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(LayoutName(layout)) + " " + c.name);
            RcpSongBuilder b(layout);
            std::string events = b.Note(60, 10, 5, 100);
            if (c.changeTo >= 0) {
                events += b.Event(0xE6, 0, static_cast<std::uint16_t>(c.changeTo), 0);
            }
            events += b.Note(60, 10, 5, 100);
            RcpConvertOptions options;
            options.dropPortB = c.dropPortB;
            const Converted converted = Convert(OneTrackSong(layout, events, c.headerChannel), options);
            std::vector<int> statuses;
            for (const SmfEventRecord& note : converted.NotesOn()) {
                statuses.push_back(note.bytes[0]);
            }
            EXPECT_EQ(statuses, c.statuses);
            ExpectNoHangingNotes(converted);
        }
    }
}

std::uint32_t TempoValue(const SmfEventRecord& event) {
    return (event.bytes[2] << 16) | (event.bytes[3] << 8) | event.bytes[4];
}

TEST(RcpConverter, MutedTrackSendsNothingButKeepsItsTempo) {
    RcpSongBuilder b;
    RcpSongBuilder::Track& track = b.AddTrack(0);
    track.mute = 1;
    track.events = b.Note(60, 10, 5, 100) + b.Event(0xE7, 0, 128, 0) + b.End();
    b.AddTrack(1).events = b.Note(62, 20, 5, 100) + b.End();
    const Converted converted = Convert(b.Build());
    ASSERT_EQ(converted.NotesOn().size(), 1u);
    EXPECT_EQ(converted.NotesOn()[0].bytes[0], 0x91);
    EXPECT_EQ(converted.conversion.trackCount, 1u);
    const auto tempos = converted.Meta(0x51, true);
    ASSERT_EQ(tempos.size(), 2u);
    EXPECT_EQ(tempos[1].tick, 10u);
    EXPECT_EQ(TempoValue(tempos[1]), 250000u);  // 200 % of 120 BPM
}

TEST(RcpConverter, TempoCommandsAreRelativeToTheHeaderAndChangeGradually) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        b.tempo = 100;
        // 50 % at once, then back to 100 % over 4 ticks, cut after 3 ticks by a jump to 200 %.
        const std::string events =
            b.Event(0xE7, 8, 32, 0) + b.Event(0xE7, 3, 64, 4) + b.Event(0xE7, 0, 128, 0) + b.Note(60, 10, 5, 100);
        const Converted converted = Convert(OneTrackSong(b, events));
        std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;
        for (const SmfEventRecord& event : converted.Meta(0x51)) {
            tempos.emplace_back(event.tick, TempoValue(event));
        }
        const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
            {0, 600000},   // header: 100 BPM
            {0, 1200000},  // 50 %
            {9, 960000},   // 40/64
            {10, 800000},  // 48/64
            {11, 300000},  // 200 % cuts the ramp before its 56/64
        };
        EXPECT_EQ(tempos, expected);
    }
}

TEST(RcpConverter, ExclusiveCommandsExpandTheirPlaceholders) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        // User exclusive 2: a GS part message with the channel, a parameter and a checksum.
        b.userExclusive[1] = std::string("\x41\x10\x42\x12\x83\x40\x10\x82\x80\x84", 10);
        const bool v2 = layout == RcpLayout::kV2;
        // Channel exclusive with parameters 0x11 and 0x22; its data follows in F7 events.
        const std::string channelExclusive =
            b.Event(0x98, 3, 0x11, 0x22) +
            (v2 ? b.RawEvent(0xF7, std::string("\x00\x41\x10", 3)) + b.RawEvent(0xF7, std::string("\x00\x81\xF7", 3))
                : b.RawEvent(0xF7, std::string("\x41\x10\x81\xF7\x00", 5)));
        const std::string events = b.Event(0x91, 2, 0x05, 0x00) + channelExclusive + b.Event(0xDD, 0, 0x40, 0x11) +
                                   b.Event(0xDF, 0, 0x10, 0x42) + b.Event(0xDE, 1, 0x15, 0x02) + b.Note(60, 1, 1, 1);
        const Converted converted = Convert(OneTrackSong(b, events, 0x06));
        const auto messages = converted.Messages(0xF0, 0xFF);
        ASSERT_EQ(messages.size(), 3u);
        // 40 10 06 05: checksum 128 - (0x40+0x10+0x06+0x05) % 128 = 0x25.
        EXPECT_EQ(messages[0].bytes, (Bytes{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x10, 0x06, 0x05, 0x25, 0xF7}));
        EXPECT_EQ(messages[0].tick, 0u);
        EXPECT_EQ(messages[1].bytes, (Bytes{0xF0, 0x41, 0x10, 0x22, 0xF7}));
        EXPECT_EQ(messages[1].tick, 2u);
        EXPECT_EQ(messages[2].bytes, (Bytes{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x15, 0x02, 0x18, 0xF7}));
        EXPECT_EQ(messages[2].tick, 5u);
    }
}

TEST(RcpConverter, HeaderTextsMeterKeyAndCommentsBecomeMetaEvents) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        b.title = "Song title";
        b.memoLines = {"first line", "", "third line"};
        b.numerator = 3;
        b.denominator = 8;
        b.keySignature = 0x0A | 0x10;  // 2 flats, minor
        const bool v2 = layout == RcpLayout::kV2;
        const std::string comment =
            v2 ? b.RawEvent(0xF6, std::string("\x00Hi", 3)) + b.RawEvent(0xF7, std::string("\x00!!", 3))
               : b.RawEvent(0xF6, "Hello") + b.RawEvent(0xF7, "!!   ");
        RcpSongBuilder::Track& track = b.AddTrack(0, "Piano");
        track.events = b.Note(60, 10, 5, 100) + comment + b.Event(0xF5, 0x03, 0, 0) + b.End();
        const Converted converted = Convert(b.Build());
        const auto names = converted.Meta(0x03);
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(std::string(names[0].bytes.begin() + 2, names[0].bytes.end()), "Song title");
        EXPECT_EQ(names[1].track, 1u);
        EXPECT_EQ(std::string(names[1].bytes.begin() + 2, names[1].bytes.end()), "Piano");
        const auto texts = converted.Meta(0x01);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(std::string(texts[1].bytes.begin() + 2, texts[1].bytes.end()), "third line");
        EXPECT_EQ(std::string(texts[2].bytes.begin() + 2, texts[2].bytes.end()), v2 ? "Hi!!" : "Hello!!");
        EXPECT_EQ(texts[2].tick, 10u);
        const auto meters = converted.Meta(0x58);
        ASSERT_EQ(meters.size(), 1u);
        EXPECT_EQ(meters[0].bytes, (Bytes{0xFF, 0x58, 3, 3, 24, 8}));
        const auto keys = converted.Meta(0x59);
        ASSERT_EQ(keys.size(), 2u);
        EXPECT_EQ(keys[0].bytes, (Bytes{0xFF, 0x59, 0xFE, 1}));
        EXPECT_EQ(keys[1].bytes, (Bytes{0xFF, 0x59, 3, 0}));
        EXPECT_EQ(keys[1].tick, 10u);
    }
}

TEST(RcpConverter, OutputIsAFormat1FileWithTheTimebaseAsDivision) {
    RcpSongBuilder b(RcpLayout::kV3);
    b.timebase = 480;
    b.numerator = 3;
    b.AddTrack(0).events = b.Note(60, 1440, 100, 100) + b.Note(62, 0, 100, 100) + b.End();
    b.AddTrack(1).events = b.End();  // sends nothing: left out
    b.AddTrack(2).events = b.Note(64, 2880, 100, 100) + b.Note(65, 0, 100, 100) + b.End();
    const Converted converted = Convert(b.Build());
    EXPECT_EQ(converted.conversion.trackCount, 2u);
    MidiSequence sequence;
    ASSERT_EQ(sequence.LoadBytes(converted.conversion.smf.data(), converted.conversion.smf.size()),
              MidiSequence::kLoaded);
    EXPECT_EQ(sequence.GetDivision(), 480);
    EXPECT_EQ(sequence.MeasureToTick(2), 2880u);
}

TEST(RcpConverter, DamagedHeadersAreRefused) {
    RcpSongBuilder zero;
    zero.timebase = 0;
    RcpSongBuilder huge(RcpLayout::kV3);
    huge.timebase = 0x8000;
    const struct {
        const char* name;
        std::string bytes;
        RcpReadResult result;
    } cases[] = {
        {"timebase 0", zero.Build(), RcpReadResult::kBadTimebase},
        {"timebase beyond a MIDI division", huge.Build(), RcpReadResult::kBadTimebase},
        {"header cut", RcpSongBuilder().Build().substr(0, 0x585), RcpReadResult::kTruncatedHeader},
        {"3.0 header cut", RcpSongBuilder(RcpLayout::kV3).Build().substr(0, 0xC97), RcpReadResult::kTruncatedHeader},
        {"not a song", std::string(4000, 'x'), RcpReadResult::kNotRecomposer},
        {"empty", "", RcpReadResult::kNotRecomposer},
    };
    for (const auto& c : cases) {
        const Converted converted = Convert(c.bytes);
        EXPECT_EQ(converted.result, c.result) << c.name;
        EXPECT_TRUE(converted.conversion.smf.empty()) << c.name;
    }
}

TEST(RcpConverter, CutTracksKeepWhatTheFileHolds) {
    for (RcpLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        RcpSongBuilder b(layout);
        std::string events;
        for (int i = 0; i < 8; ++i) {
            events += b.Note(static_cast<std::uint8_t>(60 + i), 10, 5, 100);
        }
        b.AddTrack(0).events = events + b.End();
        b.AddTrack(1).events = events + b.End();
        b.tracks[1].lengthAdjust = 5000;  // claims more than the file holds
        const std::string whole = b.Build();
        // Every cut of the file converts (or is refused) without reading past its end.
        std::size_t lastNotes = 0;
        for (std::size_t size = whole.size() - 3 * b.EventBytes(); size <= whole.size(); ++size) {
            const Converted converted = Convert(whole.substr(0, size));
            ASSERT_EQ(converted.result, RcpReadResult::kOk);
            EXPECT_GE(converted.NotesOn().size(), lastNotes);
            lastNotes = converted.NotesOn().size();
            ExpectNoHangingNotes(converted);
        }
        EXPECT_EQ(lastNotes, 16u);
    }
}

}  // namespace
