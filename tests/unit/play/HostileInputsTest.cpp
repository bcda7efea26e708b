// The hostile-input set through the readers the player opens each file with: nothing reads out
// of bounds (the sanitizers watch), what no device can honestly play is refused before a device
// sees it, and damaged play lists read what they hold.
#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "devices/ByteSource.h"
#include "devices/MidiSequence.h"
#include "devices/MpegFrameHeader.h"
#include "devices/RiffWaveParser.h"
#include "devices/WaveFormatCheck.h"
#include "songfiles/PlayListFile.h"
#include "songfiles/RcpSong.h"
#include "tests/support/HostileInputs.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

bool EndsWith(const std::string& text, const char* tail) {
    const std::string t = tail;
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// Whether the portable checks in front of the player's devices let the file through.
bool PassesOpeningChecks(const HostileInput& song) {
    if (EndsWith(song.name, ".wav")) {
        MemoryByteSource source(Bytes(song.bytes));
        RiffWaveLayout layout;
        return ParseRiffWave(source, layout) == RiffWaveResult::kOk &&
               IsPlayableWaveFormat(ReadWaveFormatFields(layout.format.data()));
    }
    if (EndsWith(song.name, ".mp3")) {
        MemoryByteSource source(Bytes(song.bytes));
        Mp3Layout layout;
        return ParseMp3(source, layout) == Mp3Result::kOk;
    }
    if (EndsWith(song.name, ".mid")) {
        MidiSequence sequence;
        const auto* data = reinterpret_cast<const std::uint8_t*>(song.bytes.data());
        return sequence.LoadBytes(data, song.bytes.size()) == 0;
    }
    if (EndsWith(song.name, ".rcp")) {
        // Where no Recomposer driver takes the song, the player converts it.
        RcpSong read;
        const auto* data = reinterpret_cast<const std::uint8_t*>(song.bytes.data());
        return ReadRcpSong(data, song.bytes.size(), read) == RcpReadResult::kOk;
    }
    return false;
}

}  // namespace

TEST(HostileInputs, DamagedSongsAreRefusedBeforeAnyDevice) {
    for (const HostileInput& song : MakeHostileSongs()) {
        EXPECT_EQ(PassesOpeningChecks(song), song.mayPlay) << song.name;
    }
    for (const HostileInput& file : MakeHostileCompanions()) {
        if (EndsWith(file.name, ".mid")) {
            EXPECT_TRUE(PassesOpeningChecks(file)) << "the song beside the damaged script must play";
        }
    }
}

TEST(HostileInputs, PlayListsReadAsSavedOrAreRefusedWhole) {
    MemoryFileSystem files;
    const ScopedFileSystem active(files);
    const std::string song = "C:\\songs\\withwrd.mid";
    struct Expectation {
        const char* name;
        int loaded;
        std::int32_t entries;
        std::int32_t refused;
    };
    const Expectation expected[] = {
        {"bom_utf16.rpl", 1, 1, 0},      {"bom_utf8.rpl", 1, 1, 0},      {"cr_only.rpl", 1, 2, 0},
        {"overlong_line.rpl", 1, 1, 1},  {"long_silence.rpl", 1, 1, 0},  {"binary.rpl", 0, 0, 0},
    };
    for (const HostileInput& list : MakeHostileLists(song)) {
        const std::string path = "C:\\lists\\" + list.name;
        files.AddFile(path.c_str(), list.bytes);
        const Expectation* e = nullptr;
        for (const Expectation& candidate : expected) {
            e = list.name == candidate.name ? &candidate : e;
        }
        ASSERT_NE(e, nullptr) << list.name;
        PlayListFile loaded;
        EXPECT_EQ(loaded.Load(path.c_str()), e->loaded) << list.name;
        EXPECT_EQ(loaded.EntryCount(), e->entries) << list.name;
        EXPECT_EQ(loaded.refusedEntries, e->refused) << list.name;
        PlayListEntry entry;
        if (loaded.EntryCount() > 0 && loaded.GetEntry(0, entry)) {
            EXPECT_STREQ(entry.path, song.c_str()) << list.name;
        }
    }
}
