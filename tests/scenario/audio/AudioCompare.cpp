// Compares a capture of the sound server's monitor with the samples that were played (raw
// signed 16-bit little-endian). Built natively by the audio scripts; prints "key: value" lines.
//   AudioCompare segments REF CAP CHANNELS   exact runs of the reference found in the capture
//   AudioCompare correlate REF CAP CHANNELS  best normalised correlation after aligning onsets
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kKeyBytes = 16;
constexpr std::size_t kMinRunFrames = 32;
constexpr int kOnsetLevel = 1000;

std::vector<std::int16_t> Load(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::uint64_t Hash(const std::uint8_t* bytes) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

bool AllZero(const std::uint8_t* bytes) {
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// Every run of at least kMinRunFrames reference frames found verbatim in the capture, in capture
// order, and the breaks between consecutive runs: how far the capture moved on (a gap in time)
// and how far the reference moved on (0 continuous, > 0 frames lost, < 0 frames repeated).
int Segments(const std::vector<std::int16_t>& ref, const std::vector<std::int16_t>& cap, int channels) {
    const std::size_t frameBytes = 2 * channels;
    const auto* r = reinterpret_cast<const std::uint8_t*>(ref.data());
    const auto* c = reinterpret_cast<const std::uint8_t*>(cap.data());
    const std::size_t refFrames = ref.size() / channels;
    const std::size_t capFrames = cap.size() / channels;
    const std::size_t keyFrames = kKeyBytes / frameBytes;
    std::unordered_map<std::uint64_t, std::size_t> index;
    for (std::size_t f = 0; f + keyFrames <= refFrames; ++f) {
        if (!AllZero(r + f * frameBytes)) {
            index[Hash(r + f * frameBytes)] = f;
        }
    }
    struct Run {
        std::size_t cap, ref, length;
    };
    std::vector<Run> runs;
    for (std::size_t f = 0; f + keyFrames <= capFrames;) {
        const std::uint8_t* key = c + f * frameBytes;
        auto found = AllZero(key) ? index.end() : index.find(Hash(key));
        std::size_t length = 0;
        if (found != index.end()) {
            const std::size_t start = found->second;
            while (f + length < capFrames && start + length < refFrames &&
                   std::memcmp(c + (f + length) * frameBytes, r + (start + length) * frameBytes, frameBytes) == 0) {
                ++length;
            }
            if (length >= kMinRunFrames) {
                runs.push_back({f, start, length});
                f += length;
                continue;
            }
        }
        ++f;
    }
    std::size_t matched = 0;
    for (const Run& run : runs) {
        matched += run.length;
    }
    std::printf("runs: %zu\nmatched_frames: %zu\nreference_frames: %zu\n", runs.size(), matched, refFrames);
    if (!runs.empty()) {
        std::printf("first_ref_frame: %zu\nlast_ref_frame: %zu\n", runs.front().ref,
                    runs.back().ref + runs.back().length);
        std::printf("first_cap_ms: %.1f\n", runs.front().cap * 1000.0 / 44100);
    }
    long repeated = 0;
    long lost = 0;
    for (std::size_t i = 1; i < runs.size(); ++i) {
        const long capGap = static_cast<long>(runs[i].cap) - static_cast<long>(runs[i - 1].cap + runs[i - 1].length);
        const long refJump = static_cast<long>(runs[i].ref) - static_cast<long>(runs[i - 1].ref + runs[i - 1].length);
        std::printf("break: at_ref=%zu cap_gap_frames=%ld ref_jump_frames=%ld\n", runs[i].ref, capGap, refJump);
        (refJump < 0 ? repeated : lost) += std::labs(refJump);
    }
    std::printf("lost_frames: %ld\nrepeated_frames: %ld\n", lost, repeated);
    return 0;
}

std::size_t Onset(const std::vector<std::int16_t>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > kOnsetLevel) {
            return i;
        }
    }
    return samples.size();
}

std::size_t LastSound(const std::vector<std::int16_t>& samples) {
    for (std::size_t i = samples.size(); i > 0; --i) {
        if (std::abs(samples[i - 1]) > kOnsetLevel) {
            return i;
        }
    }
    return 0;
}

// Normalised correlation of count frames of a at aStart and b at bStart.
double CorrelationAt(const std::vector<std::int16_t>& a,
                     long aStart,
                     const std::vector<std::int16_t>& b,
                     long bStart,
                     long count,
                     int channels) {
    double sum = 0, aEnergy = 0, bEnergy = 0;
    for (long i = 0; i < count * channels; ++i) {
        const double x = a[aStart * channels + i];
        const double y = b[bStart * channels + i];
        sum += x * y;
        aEnergy += x * x;
        bEnergy += y * y;
    }
    return sum / std::sqrt(aEnergy * bEnergy + 1e-9);
}

// Aligns the onsets, finds the best lag over the first second, then correlates 100 ms blocks
// each at its own best lag near that one: the sound server slips a few frames now and then
// early in a stream, which would spoil one long window.
int Correlate(const std::vector<std::int16_t>& ref, const std::vector<std::int16_t>& cap, int channels, int rate) {
    const long refOnset = static_cast<long>(Onset(ref) / channels);
    const long capOnset = static_cast<long>(Onset(cap) / channels);
    const long refFrames = static_cast<long>(ref.size() / channels);
    const long capFrames = static_cast<long>(cap.size() / channels);
    std::printf("sound_ms: %.1f\n", (static_cast<long>(LastSound(cap) / channels) - capOnset) * 1000.0 / rate);
    std::printf("reference_sound_ms: %.1f\n",
                (static_cast<long>(LastSound(ref) / channels) - refOnset) * 1000.0 / rate);
    double best = -2;
    long bestLag = 0;
    const long window = std::min<long>(rate, refFrames - refOnset);
    for (long lag = -rate / 20; lag <= rate / 20; ++lag) {
        const long capStart = capOnset + lag;
        if (capStart < 0 || capStart + window > capFrames) {
            continue;
        }
        const double value = CorrelationAt(ref, refOnset, cap, capStart, window, channels);
        if (value > best) {
            best = value;
            bestLag = lag;
        }
    }
    std::vector<double> blocks;
    const long block = rate / 10;
    for (long start = refOnset; start + block <= refFrames; start += block) {
        double blockBest = -2;
        for (long lag = bestLag - 16; lag <= bestLag + 16; ++lag) {
            const long capStart = capOnset + lag + (start - refOnset);
            if (capStart >= 0 && capStart + block <= capFrames) {
                blockBest = std::max(blockBest, CorrelationAt(ref, start, cap, capStart, block, channels));
            }
        }
        if (blockBest > -2) {
            blocks.push_back(blockBest);
        }
    }
    std::sort(blocks.begin(), blocks.end());
    std::printf("correlation: %.4f\nlag_frames: %ld\n", best, bestLag);
    if (!blocks.empty()) {
        std::printf("blocks: %zu\nblock_correlation_median: %.4f\nblock_correlation_min: %.4f\n", blocks.size(),
                    blocks[blocks.size() / 2], blocks.front());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: AudioCompare segments|correlate REF CAP CHANNELS [RATE]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const auto ref = Load(argv[2]);
    const auto cap = Load(argv[3]);
    const int channels = std::atoi(argv[4]);
    const int rate = argc > 5 ? std::atoi(argv[5]) : 44100;
    std::printf("capture_ms: %.1f\n", cap.size() / channels * 1000.0 / rate);
    return mode == "segments" ? Segments(ref, cap, channels) : Correlate(ref, cap, channels, rate);
}
