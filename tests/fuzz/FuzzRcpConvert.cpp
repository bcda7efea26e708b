// Fuzzes the Recomposer converter: any bytes convert or are refused within a bounded amount of
// work, and what comes out is a well-formed format-1 MIDI file at the song's timebase. The input
// also serves as the song's control files, so the .CM6 and .GSD readers see the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "songfiles/RcpConverter.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

// The header and the chunk lengths add up to the file, with one MTrk per announced track.
void CheckSmf(const RcpConversion& conversion) {
    const std::vector<std::uint8_t>& smf = conversion.smf;
    Check(smf.size() >= 14 && Be32(smf, 0) == 0x4D546864 && Be32(smf, 4) == 6);
    Check(((smf[12] << 8) | smf[13]) == conversion.timebase && conversion.timebase != 0);
    const std::size_t tracks = (smf[10] << 8) | smf[11];
    Check(tracks == conversion.trackCount + 1);
    std::size_t at = 14;
    for (std::size_t t = 0; t < tracks; ++t) {
        Check(at + 8 <= smf.size() && Be32(smf, at) == 0x4D54726B);
        const std::size_t length = Be32(smf, at + 4);
        Check(length >= 4 && at + 8 + length <= smf.size());
        // Every track ends with its end-of-track event.
        Check(smf[at + 8 + length - 3] == 0xFF && smf[at + 8 + length - 2] == 0x2F);
        at += 8 + length;
    }
    Check(at == smf.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RcpConvertOptions options;
    options.eventBudget = 200000;
    options.foreverLoops = size % 4;
    options.dropPortB = size % 2 == 0;
    const RcpControlLoader loader = [data, size](const std::string&, std::vector<std::uint8_t>& bytes) {
        bytes.assign(data, data + size);
        return true;
    };
    RcpConversion conversion;
    if (ConvertRcpToSmf(data, size, options, loader, conversion) == RcpReadResult::kOk) {
        CheckSmf(conversion);
    } else {
        Check(conversion.smf.empty());
    }
    return 0;
}
