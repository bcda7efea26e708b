// Generates varied, mostly valid MIDI files from a seed for the scan comparisons, the benchmark and
// the fuzz seeds: several tracks of notes with running status, tempo and meter changes, texts and
// system-exclusive messages, with occasional long gaps and odd meters.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "tests/support/SmfBuilder.h"

struct RandomSongOptions {
    int maxTracks = 4;
    int maxEventsPerTrack = 60;
    std::uint32_t maxDelta = 200;
    // Otherwise about one track in eight has no end-of-track event.
    bool alwaysEndTracks = false;
};

inline std::string RandomSong(std::uint32_t seed, const RandomSongOptions& options = {}) {
    std::mt19937 random(seed);
    auto pick = [&random](std::uint32_t below) { return static_cast<std::uint32_t>(random() % below); };
    const std::uint16_t divisions[] = {1, 3, 24, 96, 480, 960, 30000, 65535};
    const std::uint16_t division = divisions[pick(8)];
    const int trackCount = 1 + static_cast<int>(pick(static_cast<std::uint32_t>(options.maxTracks)));
    SmfBuilder builder(trackCount == 1 && pick(2) ? 0 : 1, division);
    for (int t = 0; t < trackCount; ++t) {
        builder.Track();
        const int events = static_cast<int>(pick(static_cast<std::uint32_t>(options.maxEventsPerTrack) + 1));
        bool running = false;
        for (int e = 0; e < events; ++e) {
            std::uint32_t delta = pick(4) == 0 ? 0 : pick(options.maxDelta + 1);
            if (pick(50) == 0) {
                delta = pick(options.maxDelta * 20 + 1);
            }
            const auto byte = static_cast<std::uint8_t>(pick(128));
            const std::uint32_t kind = pick(12);
            // Readers disagree on running status after a meta or system-exclusive event, so the
            // generated files never rely on it there.
            if (kind < 4) {
                running = false;
            }
            switch (kind) {
                case 0:
                    builder.Tempo(delta, pick(4) == 0 ? pick(100) : 200000 + pick(1000000));
                    break;
                case 1: {
                    // Mostly usual meters; sometimes numerator 0 or a huge power.
                    const auto numerator = static_cast<std::uint8_t>(pick(10) == 0 ? 0 : 1 + pick(12));
                    const auto power = static_cast<std::uint8_t>(pick(10) == 0 ? 20 + pick(236) : pick(6));
                    builder.TimeSignature(delta, numerator, power);
                    break;
                }
                case 2:
                    builder.Meta(delta, static_cast<std::uint8_t>(1 + pick(7)), std::string(pick(12), 'a' + pick(26)));
                    break;
                case 3:
                    builder.Event(delta, {0xF0, 2, byte, 0xF7});
                    break;
                case 4:
                    builder.Event(delta, {static_cast<std::uint8_t>(0xC0 | pick(16)), byte});
                    running = false;
                    break;
                case 5:
                case 6:
                    if (running) {
                        builder.Event(delta, {byte, 64});
                        break;
                    }
                    [[fallthrough]];
                default:
                    builder.Event(delta, {static_cast<std::uint8_t>(0x90 | pick(16)), byte, 100});
                    running = true;
                    break;
            }
        }
        if (pick(8) != 0 || options.alwaysEndTracks) {
            builder.EndOfTrack(pick(options.maxDelta + 1));
        }
    }
    return builder.Build();
}
