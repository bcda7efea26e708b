// Recomposer song to Standard MIDI File.
#include "songfiles/RcpConverter.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/RcpControlFiles.h"
#include "songfiles/SmfWriter.h"

namespace {

constexpr std::uint32_t kDefaultBpm = 120;
constexpr std::size_t kMaxSongBytes = std::size_t{16} << 20;
constexpr std::size_t kMaxControlBytes = 64 * 1024;

// Powers of two only: a meter like 3/6 has no MIDI form and is written as 3/4.
std::uint8_t DenominatorPower(std::uint8_t denominator) {
    for (std::uint8_t power = 0; power < 8; ++power) {
        if ((1u << power) == denominator) {
            return power;
        }
    }
    return 2;
}

void WriteHeaderMeta(const RcpSong& song, std::uint32_t songStart, SmfTrackEvents& conductor) {
    if (!song.title.empty()) {
        conductor.Meta(0, 0x03, song.title);
    }
    for (const std::string& line : song.memoLines) {
        if (!line.empty()) {
            conductor.Meta(0, 0x01, line);
        }
    }
    conductor.Meta(0, 0x58,
                   {static_cast<char>(song.numerator), static_cast<char>(DenominatorPower(song.denominator)), 24, 8});
    const int count = song.keySignature & 0x07;
    conductor.Meta(0, 0x59,
                   {static_cast<char>((song.keySignature & 0x08) != 0 ? -count : count),
                    static_cast<char>((song.keySignature & 0x10) != 0 ? 1 : 0)});
    const std::uint32_t bpm = song.tempo != 0 ? song.tempo : kDefaultBpm;
    conductor.Tempo(songStart, 60000000u / bpm);
}

// Gathers the setup messages of the control files that exist (a missing one is passed over).
std::vector<SetupMessage> LoadSetup(const RcpSong& song, const RcpControlLoader& loadControl) {
    std::vector<SetupMessage> messages;
    std::vector<std::uint8_t> bytes;
    if (!loadControl) {
        return messages;
    }
    // Port B is folded onto the same instrument, so only port A's GS setup is sent.
    if (!song.cm6Name.empty() && loadControl(song.cm6Name, bytes)) {
        messages = Cm6SetupMessages(bytes.data(), bytes.size());
    }
    if (!song.gsdName.empty() && loadControl(song.gsdName, bytes)) {
        std::vector<SetupMessage> gs = GsdSetupMessages(bytes.data(), bytes.size());
        messages.insert(messages.end(), std::make_move_iterator(gs.begin()), std::make_move_iterator(gs.end()));
    }
    return messages;
}

// Sends the setup at a tempo of one millisecond per tick (as near as the tempo field allows), each
// message followed by its pause; answers the tick where the song starts.
std::uint32_t WriteSetup(const std::vector<SetupMessage>& messages, std::uint16_t timebase, SmfTrackEvents& conductor) {
    if (messages.empty()) {
        return 0;
    }
    const std::uint32_t tempo = std::min<std::uint32_t>(std::uint32_t{timebase} * 1000, 0xFFFFFF);
    conductor.Tempo(0, tempo);
    std::uint64_t tickTimesTempo = 0;  // elapsed milliseconds x 1000 x timebase
    std::uint32_t tick = 0;
    for (const SetupMessage& message : messages) {
        conductor.Exclusive(tick, message.bytes);
        tickTimesTempo += std::uint64_t{message.pauseMs} * 1000 * timebase;
        tick = static_cast<std::uint32_t>((tickTimesTempo + tempo - 1) / tempo);
    }
    return tick;
}

// The name with its single-byte letters in one case; double-byte characters stay as they are.
std::string AsciiCase(const std::string& name, bool upper) {
    std::string result = name;
    for (std::size_t i = 0; i < result.size();) {
        const std::size_t step = ShiftJisCharLength(result.c_str() + i);
        if (step == 1) {
            const unsigned char c = static_cast<unsigned char>(result[i]);
            result[i] = static_cast<char>(upper ? std::toupper(c) : std::tolower(c));
        }
        i += std::max<std::size_t>(step, 1);
    }
    return result;
}

}  // namespace

RcpReadResult ConvertRcpToSmf(const std::uint8_t* data,
                              std::size_t size,
                              const RcpConvertOptions& options,
                              const RcpControlLoader& loadControl,
                              RcpConversion& conversion) {
    conversion = RcpConversion();
    RcpSong song;
    const RcpReadResult read = ReadRcpSong(data, size, song);
    if (read != RcpReadResult::kOk) {
        return read;
    }
    std::vector<SmfTrackEvents> tracks(1);
    tracks.reserve(song.tracks.size() + 1);
    conversion.leadInTicks = WriteSetup(LoadSetup(song, loadControl), song.timebase, tracks[0]);
    WriteHeaderMeta(song, conversion.leadInTicks, tracks[0]);

    const std::uint32_t bpm = song.tempo != 0 ? song.tempo : kDefaultBpm;
    std::uint64_t budget = options.eventBudget;
    for (const RcpTrack& track : song.tracks) {
        SmfTrackEvents events;
        RcpTrackPlayer(song, track, options, bpm, conversion.leadInTicks, budget, events, tracks[0]).Run();
        // Tracks that send nothing (the many empty ones of a 36-track song) are left out.
        if (events.HasMessages()) {
            tracks.push_back(std::move(events));
        }
    }
    conversion.cut = budget == 0;
    conversion.trackCount = tracks.size() - 1;
    conversion.timebase = song.timebase;
    conversion.smf = WriteSmf(song.timebase, tracks);
    return RcpReadResult::kOk;
}

RcpReadResult ConvertRcpFile(const char* path, const RcpConvertOptions& options, RcpConversion& conversion) {
    char folder[kMaxPathBytes];
    std::vector<std::uint8_t> bytes;
    try {
        if (!DirectoryOf(folder, path) || !ActiveFileSystem().ReadFile(path, bytes, kMaxSongBytes)) {
            return RcpReadResult::kNotRecomposer;
        }
        const std::string directory = folder;
        // Names are stored as typed on a system that ignored letter case; try them as stored, then
        // in upper and lower case for file systems that do not.
        auto loadControl = [&directory](const std::string& name, std::vector<std::uint8_t>& out) {
            for (const std::string& candidate : {name, AsciiCase(name, true), AsciiCase(name, false)}) {
                const std::string full = directory + candidate;
                if (full.size() < kMaxPathBytes && ActiveFileSystem().ReadFile(full.c_str(), out, kMaxControlBytes)) {
                    return true;
                }
            }
            return false;
        };
        return ConvertRcpToSmf(bytes.data(), bytes.size(), options, loadControl, conversion);
    } catch (const std::bad_alloc&) {
        conversion = RcpConversion();
        return RcpReadResult::kNotRecomposer;
    }
}
