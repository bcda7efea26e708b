// CD time arithmetic.
#include "devices/CdTime.h"

std::uint32_t MsToTmsf(std::uint32_t ms) {
    const std::uint32_t frames = (ms / 10 % 100) * 75 / 100;
    const std::uint32_t seconds = ms / 1000 % 60;
    const std::uint32_t minutes = ms / 60000 % 256;
    return frames << 24 | seconds << 16 | minutes << 8;
}

std::uint32_t TmsfToMs(std::uint32_t tmsf) {
    const std::uint32_t minutes = (tmsf >> 8) & 0xFF;
    const std::uint32_t seconds = (tmsf >> 16) & 0xFF;
    const std::uint32_t frames = tmsf >> 24;
    return frames * 1000 / 75 + seconds * 1000 + minutes * 60000;
}

std::uint32_t MakeDiscId(std::uint32_t lengthMsf, std::uint32_t trackCount) {
    return lengthMsf << 8 | (trackCount & 0xFF);
}
