// The fast scan against the tick-by-tick reference on generated songs and damaged copies of them.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "devices/MidiSequence.h"
#include "tests/support/ReferenceScan.h"
#include "tests/unit/devices/MidiTestHelpers.h"
#include "tests/unit/devices/RandomSong.h"

namespace {

constexpr std::uint64_t kMaxReferenceTicks = 20'000'000;

// Compares one file; answers false when the reference skipped it.
bool ExpectSameAsReference(const std::string& bytes, const std::string& label) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const ReferenceResult expected = ReferenceScan(data, bytes.size(), kMaxReferenceTicks);
    if (expected.status == ReferenceResult::kSkipped) {
        return false;
    }
    MidiSequence sequence;
    sequence.LoadBytes(data, bytes.size());
    EXPECT_EQ(DescribeDifference(sequence, expected), "") << label;
    return true;
}

TEST(ReferenceScan, GeneratedSongsGiveTheSameResults) {
    int compared = 0;
    int loaded = 0;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        const std::string bytes = RandomSong(seed);
        if (ExpectSameAsReference(bytes, "seed " + std::to_string(seed))) {
            ++compared;
            MidiSequence sequence;
            loaded += LoadString(sequence, bytes) == 0;
        }
    }
    EXPECT_GT(compared, 350);
    EXPECT_GT(loaded, 300);
}

TEST(ReferenceScan, DamagedSongsGiveTheSameOutcome) {
    std::mt19937 random(7);
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::string bytes = RandomSong(seed);
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes && !bytes.empty(); ++i) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes.erase(at, 1 + random() % 4);
                    break;
                default:
                    bytes.resize(at);
                    break;
            }
        }
        ExpectSameAsReference(bytes, "damaged seed " + std::to_string(seed));
    }
}

TEST(ReferenceScan, ManyMeterChangesFillTheMapAlike) {
    SmfBuilder builder(0, 96);
    builder.Track();
    for (int i = 0; i < 300; ++i) {
        builder.TimeSignature(static_cast<std::uint32_t>(i % 7 * 50), static_cast<std::uint8_t>(1 + i % 5), 2);
    }
    EXPECT_TRUE(ExpectSameAsReference(builder.EndOfTrack(33).Build(), "300 meters"));
}

}  // namespace
