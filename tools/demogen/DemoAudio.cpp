// Synthesis of the demo songs: additive tones with envelopes, mixed into 16-bit stereo, and a
// hand-composed waltz written as MIDI events.
#include "tools/demogen/DemoAudio.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double NoteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A float mix buffer that is scaled and rounded to 16 bits at the end.
class Mixer {
public:
    explicit Mixer(double seconds) : left(static_cast<std::size_t>(seconds * StereoSound::kRate)), right(left.size()) {}

    // Adds one note: partials as (multiple of the base, weight), an attack and an exponential decay.
    void Note(double start,
              double length,
              double hz,
              double gain,
              double pan,
              double attack,
              double decay,
              const std::vector<std::pair<double, double>>& partials) {
        const int rate = StereoSound::kRate;
        const std::size_t first = static_cast<std::size_t>(start * rate);
        const std::size_t count = static_cast<std::size_t>(length * rate);
        const double release = 0.08;
        for (std::size_t i = 0; i < count && first + i < left.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            double envelope = std::min(1.0, t / attack) * std::exp(-t / decay);
            if (t > length - release) {
                envelope *= std::max(0.0, (length - t) / release);
            }
            double value = 0;
            for (const auto& [multiple, weight] : partials) {
                value += weight * std::sin(kTwoPi * hz * multiple * t);
            }
            left[first + i] += value * envelope * gain * (1.0 - pan);
            right[first + i] += value * envelope * gain * (1.0 + pan);
        }
    }

    StereoSound Finish() const {
        double peak = 1e-9;
        for (std::size_t i = 0; i < left.size(); ++i) {
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
        }
        const double scale = 0.7 * 32767.0 / peak;
        StereoSound sound;
        sound.samples.reserve(left.size() * 2);
        for (std::size_t i = 0; i < left.size(); ++i) {
            sound.samples.push_back(static_cast<std::int16_t>(std::lround(left[i] * scale)));
            sound.samples.push_back(static_cast<std::int16_t>(std::lround(right[i] * scale)));
        }
        return sound;
    }

private:
    std::vector<double> left;
    std::vector<double> right;
};

// C, Am, F, G as triads with a bass note, the cycle the WAVE songs share.
const std::vector<std::vector<int>> kChords = {{48, 60, 64, 67}, {45, 57, 60, 64}, {41, 57, 60, 65}, {43, 55, 59, 62}};

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutBe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value);
    while (n > 1) {
        out.push_back(static_cast<std::uint8_t>(bytes[--n] | 0x80));
    }
    out.push_back(bytes[0]);
}

struct MidiEvent {
    std::uint32_t tick;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> TrackChunk(std::vector<MidiEvent> events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const MidiEvent& e : events) {
        PutVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    PutVarLen(body, 0);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBe(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

void AddNote(std::vector<MidiEvent>& events,
             int channel,
             std::uint32_t tick,
             std::uint32_t length,
             int note,
             int velocity) {
    events.push_back({tick,
                      {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(note),
                       static_cast<std::uint8_t>(velocity)}});
    events.push_back(
        {tick + length - 10, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(note), 0}});
}

}  // namespace

StereoSound MakeBells() {
    Mixer mix(12.0);
    const std::vector<std::pair<double, double>> bell = {{1, 1.0}, {2.0, 0.5}, {3.01, 0.25}, {4.2, 0.12}};
    for (int bar = 0; bar < 4; ++bar) {
        const std::vector<int>& chord = kChords[bar];
        mix.Note(bar * 3.0, 3.0, NoteHz(chord[0]), 0.5, 0.0, 0.01, 1.6, {{1, 1.0}, {2, 0.3}});
        for (std::size_t i = 1; i < chord.size(); ++i) {
            const double pan = (static_cast<double>(i) - 2.0) * 0.4;
            mix.Note(bar * 3.0 + 0.15 * i, 2.8, NoteHz(chord[i] + 12), 0.35, pan, 0.005, 0.9, bell);
        }
        mix.Note(bar * 3.0 + 1.5, 1.5, NoteHz(chord[3] + 24), 0.2, 0.3, 0.005, 0.5, bell);
    }
    return mix.Finish();
}

StereoSound MakePads() {
    Mixer mix(14.0);
    const std::vector<std::pair<double, double>> pad = {{1, 1.0}, {2, 0.35}, {3, 0.12}, {1.003, 0.6}};
    const std::vector<std::vector<int>> chords = {
        {50, 62, 65, 69, 72}, {43, 62, 65, 67, 71}, {48, 60, 64, 67, 71}, {45, 60, 64, 67, 69}};
    for (int bar = 0; bar < 4; ++bar) {
        for (std::size_t i = 0; i < chords[bar].size(); ++i) {
            const double pan = (static_cast<double>(i % 3) - 1.0) * 0.5;
            mix.Note(bar * 3.4, 4.0, NoteHz(chords[bar][i]), 0.25, pan, 0.9, 6.0, pad);
        }
    }
    return mix.Finish();
}

StereoSound MakeArpeggio() {
    Mixer mix(16.0);
    const std::vector<std::pair<double, double>> pluck = {{1, 1.0}, {2, 0.6}, {3, 0.3}, {4, 0.15}, {5, 0.08}};
    const double step = 0.25;
    int n = 0;
    for (int bar = 0; bar < 4; ++bar) {
        const std::vector<int>& chord = kChords[bar];
        const int pattern[] = {1, 2, 3, 2, 1, 2, 3, 2, 1, 2, 3, 2, 1, 2, 3, 2};
        for (int i = 0; i < 16; ++i, ++n) {
            const int note = chord[pattern[i]] + (i >= 8 ? 12 : 0);
            mix.Note(n * step, 0.9, NoteHz(note), 0.3, (i % 2) ? 0.35 : -0.35, 0.003, 0.35, pluck);
        }
        mix.Note(bar * 16 * step, 4.0, NoteHz(chord[0] - 12), 0.45, 0.0, 0.02, 2.0, {{1, 1.0}, {2, 0.2}});
    }
    return mix.Finish();
}

std::vector<std::uint8_t> EncodeWave(const StereoSound& sound) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
    PutLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 2, 2);
    PutLe(out, StereoSound::kRate, 4);
    PutLe(out, StereoSound::kRate * 4, 4);
    PutLe(out, 4, 2);
    PutLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe(out, dataBytes, 4);
    for (std::int16_t s : sound.samples) {
        PutLe(out, static_cast<std::uint16_t>(s), 2);
    }
    return out;
}

std::vector<std::uint8_t> MakeWaltzSmf(const std::string& title) {
    constexpr std::uint32_t kBeat = 480;
    constexpr std::uint32_t kBar = 3 * kBeat;
    // The tune, one measure per row: (MIDI note, length in beats).
    const std::vector<std::vector<std::pair<int, int>>> melody = {
        {{76, 2}, {74, 1}},          {{72, 2}, {67, 1}}, {{69, 1}, {71, 1}, {72, 1}}, {{74, 3}},
        {{76, 2}, {77, 1}},          {{79, 2}, {76, 1}}, {{74, 1}, {72, 1}, {74, 1}}, {{76, 3}},
        {{77, 2}, {76, 1}},          {{74, 2}, {72, 1}}, {{71, 1}, {72, 1}, {74, 1}}, {{67, 3}},
        {{69, 1}, {71, 1}, {72, 1}}, {{76, 2}, {74, 1}}, {{72, 1}, {67, 1}, {64, 1}}, {{72, 3}},
    };
    // Waltz accompaniment: bass on beat one, the chord on beats two and three.
    const std::vector<std::vector<int>> harmony = {
        {48, 64, 67}, {48, 64, 67}, {41, 65, 69}, {43, 62, 67}, {48, 64, 67}, {48, 64, 67}, {43, 62, 65}, {48, 64, 67},
        {41, 65, 69}, {38, 65, 69}, {43, 62, 65}, {43, 62, 67}, {45, 64, 69}, {48, 64, 67}, {43, 62, 65}, {48, 64, 67},
    };

    std::vector<MidiEvent> conductor;
    std::vector<std::uint8_t> name = {0xFF, 0x03};
    PutVarLen(name, static_cast<std::uint32_t>(title.size()));
    name.insert(name.end(), title.begin(), title.end());
    conductor.push_back({0, name});
    conductor.push_back({0, {0xFF, 0x58, 0x04, 3, 2, 24, 8}});       // 3/4
    conductor.push_back({0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}});  // 500000 us per beat: 120 bpm

    std::vector<MidiEvent> tune = {{0, {0xC0, 0}}, {0, {0xB0, 7, 110}}, {0, {0xB0, 10, 72}}};
    std::vector<MidiEvent> band = {{0, {0xC1, 48}}, {0, {0xB1, 7, 80}}, {0, {0xB1, 10, 56}}};
    for (std::size_t bar = 0; bar < melody.size(); ++bar) {
        std::uint32_t tick = static_cast<std::uint32_t>(bar) * kBar;
        for (const auto& [note, beats] : melody[bar]) {
            AddNote(tune, 0, tick, beats * kBeat, note, beats == 3 ? 90 : 100);
            tick += beats * kBeat;
        }
        const std::uint32_t start = static_cast<std::uint32_t>(bar) * kBar;
        AddNote(band, 1, start, kBeat, harmony[bar][0], 96);
        for (int beat = 1; beat < 3; ++beat) {
            AddNote(band, 1, start + beat * kBeat, kBeat, harmony[bar][1], 70);
            AddNote(band, 1, start + beat * kBeat, kBeat, harmony[bar][2], 70);
        }
    }

    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);  // format 1
    PutBe(out, 3, 2);
    PutBe(out, kBeat, 2);
    for (auto* track : {&conductor, &tune, &band}) {
        std::vector<std::uint8_t> chunk = TrackChunk(*track);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}
