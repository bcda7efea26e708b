// A song file played through MCI, with MIDI timing from a song information reader.
#include "devices/MciFileDevice.h"

#include <algorithm>
#include <limits>

#include "app/Settings.h"
#include "songfiles/FileTypes.h"
#include "songfiles/RcpConverter.h"
#include "songfiles/RcpSongInfo.h"
#include "songfiles/SequenceSongInfo.h"

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, kIntMax));
}

}  // namespace

MciFileDevice::MciFileDevice(OwnerWindow owner, MciPort& port, TempFilePort& tempFiles)
    : MediaDevice(owner), mci(port), tempFiles(tempFiles) {}

MciFileDevice::~MciFileDevice() {
    Close();
}

std::uint32_t MciFileDevice::StatusOrZero(const MciStatusQuery& query) {
    std::uint32_t value = 0;
    return mci.Status(query, value) ? value : 0;
}

bool MciFileDevice::OpenConverted(const char* fileName) {
    RcpConvertOptions options;
    options.foreverLoops = gSettings.play.RcpLoops;
    RcpConversion conversion;
    if (ConvertRcpFile(fileName, options, conversion) != RcpReadResult::kOk) {
        return false;
    }
    convertedSong = tempFiles.Create(conversion.smf.data(), conversion.smf.size(), ".mid");
    if (!convertedSong || !mci.OpenElement(convertedSong->Path())) {
        convertedSong.reset();
        return false;
    }
    leadInTicks = conversion.leadInTicks;
    return true;
}

int MciFileDevice::Open(const char* fileName) {
    Close();
    // A Recomposer song goes to a driver registered for it first; without one it is converted.
    if (!mci.OpenElement(fileName) && !(IsRecomposerSong(fileName) && OpenConverted(fileName))) {
        return 0;
    }
    isOpen = 1;
    deviceType = mci.GetDeviceType();
    mci.SetTimeFormat(kMciFormatMilliseconds);
    // MCI answers unsigned values; a length past the int range is as useless as none.
    const std::uint32_t length = StatusOrZero({kMciStatusLength});
    lengthMs = length > kIntMax ? 0 : static_cast<std::int32_t>(length);
    startPosition = StatusOrZero({kMciStatusPosition, 0, true});
    if (deviceType != kDeviceTypeSequencer) {
        songPointerLength = 0;
        return 1;
    }
    mci.SetTimeFormat(kMciFormatSongPointer);
    songPointerLength = StatusOrZero({kMciStatusLength});
    mci.SetTimeFormat(kMciFormatMilliseconds);
    AttachSongInfo(fileName);
    return 1;
}

void MciFileDevice::AttachSongInfo(const char* fileName) {
    switch (ChooseMeasureReader(fileName)) {
        case MeasureReader::kSequence:
            songInfo = std::make_unique<SequenceSongInfo>(fileName);
            break;
        case MeasureReader::kRcp:
            songInfo = std::make_unique<RcpSongInfo>(fileName);
            break;
        case MeasureReader::kNone:
            return;
    }
    timebase = songInfo->GetTimebase();
}

void MciFileDevice::Close() {
    if (!isOpen) {
        return;
    }
    mci.Close();
    convertedSong.reset();
    leadInTicks = 0;
    songInfo.reset();
    isOpen = 0;
    startPosition = 0;
    lengthMs = 0;
    deviceType = 0;
    songPointerLength = 0;
    timebase = 0;
}

int MciFileDevice::Play() {
    return isOpen ? mci.Play(ownerWindow, 0) : 0;
}

int MciFileDevice::Stop() {
    if (!isOpen || !mci.Stop()) {
        return 0;
    }
    Seek(0);
    return 1;
}

int MciFileDevice::Pause() {
    if (!isOpen) {
        return 0;
    }
    if (GetMode() == kModeStop) {
        Play();
    }
    return mci.Pause();
}

int MciFileDevice::Seek(std::uint32_t milliseconds) {
    if (!isOpen) {
        return 0;
    }
    // Computed wide: lengthMs may be 0 or negative for a medium MCI gives no length.
    const std::int64_t target = std::max<std::int64_t>(0, std::min<std::int64_t>(milliseconds, lengthMs - 1LL));
    const std::uint64_t to = static_cast<std::uint64_t>(target) + startPosition;
    if (to > std::numeric_limits<std::uint32_t>::max() || !mci.Seek(static_cast<std::uint32_t>(to))) {
        return -1;
    }
    return static_cast<int>(target);
}

int MciFileDevice::GetPosition() {
    std::uint32_t position = 0;
    if (!isOpen || !mci.Status({kMciStatusPosition}, position)) {
        return 0;
    }
    const std::int64_t fromStart = static_cast<std::int64_t>(position) - startPosition;
    return lengthMs > 0 ? std::clamp<std::int64_t>(fromStart, 0, lengthMs) : ClampToInt(fromStart);
}

int MciFileDevice::GetMode() {
    return isOpen ? mci.GetMode() : kModeNotReady;
}

int MciFileDevice::GetTickPosition() {
    if (!isOpen || deviceType != kDeviceTypeSequencer || !songInfo) {
        return 0;
    }
    mci.SetTimeFormat(kMciFormatSongPointer);
    std::uint32_t songPosition = 0;
    const bool known = mci.Status({kMciStatusPosition}, songPosition);
    mci.SetTimeFormat(kMciFormatMilliseconds);
    if (!known) {
        return 0;
    }
    // A song-position unit is a sixteenth note, four to the quarter. A converted song's ticks count
    // from the end of the setup that precedes it.
    return ClampToInt(static_cast<std::int64_t>(songPosition) * songInfo->GetTimebase() / 4 - leadInTicks);
}

int MciFileDevice::MeasureToPosition(MeasurePosition& position, std::int32_t measure) {
    if (!songInfo || measure < 0) {
        return 0;
    }
    return songInfo->MeasureToPosition(position, static_cast<std::uint32_t>(measure));
}

int MciFileDevice::PositionToMeasure(MeasurePosition& position, std::int32_t tick) {
    if (!songInfo || tick < 0) {
        return 0;
    }
    return songInfo->PositionToMeasure(position, static_cast<std::uint32_t>(tick));
}
