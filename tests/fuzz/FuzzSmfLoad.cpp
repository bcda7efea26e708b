// Fuzzes the MIDI file loader: any bytes load or fail without reading past them, and the fast scan
// agrees with the tick-by-tick reference wherever the reference is quick enough to run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "devices/MidiSequence.h"
#include "tests/support/ReferenceScan.h"

namespace {

constexpr std::uint64_t kMaxReferenceTicks = 1'000'000;

void Check(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MidiSequence sequence;
    const std::int32_t status = sequence.LoadBytes(data, size);
    Check(status == 0 || status == 2, "status");
    if (status == 0) {
        // The conversions stay consistent with the map for a few ticks of the song.
        const std::uint32_t last = sequence.TotalTicks();
        for (std::uint32_t tick : {0u, last / 3, last / 2, last - 1, last, last + 100}) {
            const MeasureAtTick at = sequence.TickToMeasure(tick);
            if (at.ticksPerMeasure != 0) {
                Check(at.tickInMeasure < at.ticksPerMeasure, "tick in measure");
                Check(sequence.MeasureToTick(at.measure) + at.tickInMeasure == std::min(tick, last), "round trip");
            }
        }
        char text[8];
        const int length = sequence.GetTitle(text, sizeof text);
        Check(length < 8 && (length < 0 || text[length] == '\0'), "title");
    }
    const ReferenceResult expected = ReferenceScan(data, size, kMaxReferenceTicks);
    if (expected.status != ReferenceResult::kSkipped) {
        const std::string difference = DescribeDifference(sequence, expected);
        Check(difference.empty(), difference);
    }
    return 0;
}
