// mxtool midi-info: a MIDI file as the player's sequence model loads it, with its measure map.
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "devices/MidiSequence.h"
#include "tools/mxtool/Commands.h"

int RunMidiInfo(int, char** argv) {
    const MidiSequence sequence(argv[0]);
    std::printf("status: %d\n", static_cast<int>(sequence.LoadStatus()));
    if (!sequence.IsLoaded()) {
        std::fprintf(
            stderr, "mxtool: %s\n",
            sequence.LoadStatus() == MidiSequence::kCannotOpen ? "the file cannot be read" : "not a usable MIDI file");
        return 1;
    }
    std::vector<char> text(4096);
    std::printf("format: %u\n", static_cast<unsigned>(sequence.Format()));
    std::printf("tracks: %u\n", static_cast<unsigned>(sequence.TrackCount()));
    std::printf("division: %u\n", static_cast<unsigned>(sequence.GetDivision()));
    std::printf("title: %s\n", sequence.GetTitle(text.data(), text.size()) >= 0 ? text.data() : "");
    std::printf("notice: %s\n", sequence.GetNotice(text.data(), text.size()) >= 0 ? text.data() : "");
    std::printf("initial-tempo: %" PRIu32 "\n", sequence.InitialTempo());
    const auto& meter = sequence.TimeSignature();
    std::printf("time-signature: %u %u %u %u\n", meter[0], meter[1], meter[2], meter[3]);
    std::printf("total-ticks: %" PRIu32 "\n", sequence.TotalTicks());
    std::printf("total-time-us: %" PRIu64 "\n", sequence.TotalTime());
    std::printf("segments: %" PRIu32 "\n", sequence.SegmentCount());
    std::uint32_t firstMeasure = 0;
    for (std::uint32_t i = 0; i < sequence.SegmentCount(); ++i) {
        const MeasureSegment& segment = sequence.Segment(i);
        std::printf("segment[%" PRIu32 "]: first-measure %" PRIu32 " measures %" PRIu32 " ticks-per-measure %" PRIu32
                    "\n",
                    i, firstMeasure, segment.measureCount, segment.ticksPerMeasure);
        firstMeasure += segment.measureCount;
    }
    return 0;
}
