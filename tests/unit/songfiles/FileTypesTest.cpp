// The rules by extension: which device opens a song, which companions it has, where its title
// comes from.
#include "songfiles/FileTypes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/RcpSongBuilder.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SmfBuilder.h"
#include "tests/support/SongFileBytes.h"

namespace {

// Records every open it is asked for and refuses the devices it is told to.
class FakeOpener : public SongDeviceOpener {
public:
    bool OpenWave(const char* path) override { return Try("wave", path, waveWorks); }
    bool OpenMp3(const char* path) override { return Try("mp3", path, mp3Works); }
    bool OpenMci(const char* path) override { return Try("mci", path, mciWorks); }

    bool waveWorks = true;
    bool mp3Works = true;
    bool mciWorks = true;
    std::vector<std::string> calls;

private:
    bool Try(const char* device, const char* path, bool works) {
        calls.push_back(std::string(device) + " " + path);
        return works;
    }
};

class FileTypesTest : public ::testing::Test {
protected:
    MemoryFileSystem files;
    ScopedFileSystem scope{files};
};

TEST_F(FileTypesTest, ChoosesTheDeviceByExtension) {
    files.AddFile("C:\\M\\both.wrd");
    files.AddFile("C:\\M\\both.mid");
    files.AddFile("C:\\M\\both.rcp");
    files.AddFile("C:\\M\\rcp.WRD");
    files.AddFile("C:\\M\\rcp.RCP");
    files.AddFile("C:\\M\\alone.wrd");
    files.AddFile("C:\\M\\later.wrd");
    files.AddFile("C:\\M\\later.G36");
    files.AddFile("C:\\M\\later.g18");
    const struct {
        const char* path;
        bool selfPlay;
        bool ownWorks;  // the own wave or MP3 device accepts the file
        bool mciWorks;
        SongDevice device;
        std::vector<std::string> calls;
    } cases[] = {
        {"C:\\M\\a.wav", true, true, true, SongDevice::kWave, {"wave C:\\M\\a.wav"}},
        {"C:\\M\\a.WAV", true, false, true, SongDevice::kMci, {"wave C:\\M\\a.WAV", "mci C:\\M\\a.WAV"}},
        {"C:\\M\\a.wav", false, true, true, SongDevice::kMci, {"mci C:\\M\\a.wav"}},
        {"C:\\M\\a.Mp3", false, true, true, SongDevice::kMp3, {"mp3 C:\\M\\a.Mp3"}},
        {"C:\\M\\a.mp3", true, false, true, SongDevice::kMci, {"mp3 C:\\M\\a.mp3", "mci C:\\M\\a.mp3"}},
        {"C:\\M\\a.MID", true, true, true, SongDevice::kMci, {"mci C:\\M\\a.MID"}},
        {"C:\\M\\a.avi", true, true, false, SongDevice::kNone, {"mci C:\\M\\a.avi"}},
        {"C:\\M\\both.wrd", true, true, true, SongDevice::kMci, {"mci C:\\M\\both.mid"}},
        {"C:\\M\\rcp.WRD", true, true, true, SongDevice::kMci, {"mci C:\\M\\rcp.rcp"}},
        {"C:\\M\\alone.wrd", true, true, true, SongDevice::kMci, {"mci C:\\M\\alone.wrd"}},
        // The 36-track layouts in the order .r36, .g36, .g18.
        {"C:\\M\\later.wrd", true, true, true, SongDevice::kMci, {"mci C:\\M\\later.g36"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FakeOpener opener;
        opener.waveWorks = opener.mp3Works = c.ownWorks;
        opener.mciWorks = c.mciWorks;
        char opened[kMaxPathBytes];
        EXPECT_EQ(ChooseDevice(c.path, c.selfPlay, opener, opened), c.device);
        EXPECT_EQ(opener.calls, c.calls);
    }
}

TEST_F(FileTypesTest, FindsCompanionsOfTheOpenedSong) {
    files.AddFile("C:\\M\\song.mid");
    files.AddFile("C:\\M\\song.WRD");
    files.AddFile("C:\\M\\song.txt");
    files.AddFile("C:\\M\\song.doc");
    files.AddFile("C:\\M\\plain.wav");
    files.AddFile("C:\\M\\plain.wrd");
    files.AddFile("C:\\M\\plain.TXT");

    SongCompanions midi = FindSongCompanions("C:\\M\\song.mid", kDeviceTypeSequencer);
    EXPECT_TRUE(midi.hasWrd);
    EXPECT_STREQ(midi.wrdPath, "C:\\M\\song.wrd");
    EXPECT_TRUE(midi.hasText);
    EXPECT_STREQ(midi.textPath, "C:\\M\\song.doc");

    // Only MIDI through the sequencer runs a script.
    SongCompanions wave = FindSongCompanions("C:\\M\\plain.wav", 522);
    EXPECT_FALSE(wave.hasWrd);
    EXPECT_STREQ(wave.wrdPath, "");
    EXPECT_TRUE(wave.hasText);
    EXPECT_STREQ(wave.textPath, "C:\\M\\plain.txt");

    SongCompanions none = FindSongCompanions("C:\\M\\none.mid", kDeviceTypeSequencer);
    EXPECT_FALSE(none.hasWrd);
    EXPECT_FALSE(none.hasText);
}

TEST(ChooseMeasureReader, OnlyMidAndSmpGetTheSequence) {
    EXPECT_EQ(ChooseMeasureReader("a.MID"), MeasureReader::kSequence);
    EXPECT_EQ(ChooseMeasureReader("a.smp"), MeasureReader::kSequence);
    for (const char* recomposer : {"a.Rcp", "a.r36", "a.G36", "a.g18"}) {
        EXPECT_EQ(ChooseMeasureReader(recomposer), MeasureReader::kRcp) << recomposer;
        EXPECT_TRUE(IsRecomposerSong(recomposer)) << recomposer;
    }
    EXPECT_FALSE(IsRecomposerSong("a.g37"));
    EXPECT_EQ(ChooseMeasureReader("a.smf"), MeasureReader::kNone);
    EXPECT_EQ(ChooseMeasureReader("mid"), MeasureReader::kNone);
}

// Some audio, then a tag whose title is padded with spaces and artist with zeros.
std::string Mp3WithTag(const std::string& title, const std::string& artist) {
    return std::string(200, '\xFF') + Id3v1TagBytes(title, artist, ' ');
}

std::string RcpHeader(const std::string& title, const std::string& memo) {
    RcpFileBytes file;
    file.title = title;
    file.memo = memo;
    file.size = 600;
    return file.Build();
}

TEST_F(FileTypesTest, SongTitlesComeFromTheFileOrItsName) {
    files.AddFile("C:\\M\\titled.MID", TitledSmf("Midi title", "(C) notice"));
    files.AddFile("C:\\M\\untitled.mid", TitledSmf(""));
    files.AddFile("C:\\M\\titled.smf", TitledSmf("Smf title"));
    files.AddFile("C:\\M\\titled.smp", TitledSmf("Smp title"));
    files.AddFile("C:\\M\\song.rcp", RcpHeader("Rcp title", "Memo"));
    files.AddFile("C:\\M\\both.wrd", std::string());
    files.AddFile("C:\\M\\both.mid", TitledSmf("From mid"));
    files.AddFile("C:\\M\\both.rcp", RcpHeader("From rcp", ""));
    files.AddFile("C:\\M\\tune.wrd", std::string());
    files.AddFile("C:\\M\\tune.mp3", Mp3WithTag("Tag title", "Artist"));
    files.AddFile("C:\\M\\blank.mp3", Mp3WithTag("", "Artist"));
    files.AddFile("C:\\M\\short.mp3", "TAG");
    files.AddFile("C:\\M\\script.wrd", std::string());
    files.AddFile("C:\\M\\empty.wrd", std::string());
    files.AddFile("C:\\M\\empty.mid", TitledSmf(""));
    RcpSongBuilder later(RcpLayout::kV3);
    later.title = "Later title";
    later.memoLines = {"Later memo"};
    files.AddFile("C:\\M\\later.R36", later.Build());
    files.AddFile("C:\\M\\later.wrd", std::string());
    const struct {
        const char* path;
        const char* title;
        const char* comment;
    } cases[] = {
        {"C:\\M\\titled.MID", "Midi title", "(C) notice"},
        {"C:\\M\\untitled.mid", "untitled", ""},
        {"C:\\M\\titled.smf", "Smf title", ""},
        {"C:\\M\\titled.smp", "titled", ""},
        {"C:\\M\\song.rcp", "Rcp title", "Memo"},
        {"C:\\M\\both.wrd", "From mid", ""},
        {"C:\\M\\tune.wrd", "Tag title", "Artist"},
        {"C:\\M\\blank.mp3", "blank", "Artist"},
        {"C:\\M\\short.mp3", "short", ""},
        {"C:\\M\\script.wrd", "script", ""},
        {"C:\\M\\empty.wrd", "empty", ""},
        {"C:\\M\\missing.mid", "missing", ""},
        {"C:\\M\\notes.txt", "notes", ""},
        {"C:\\M\\later.R36", "Later title", "Later memo"},
        {"C:\\M\\later.wrd", "Later title", "Later memo"},
    };
    for (const auto& c : cases) {
        char title[kListTextBytes] = "stale";
        char comment[kListTextBytes] = "stale";
        GetSongTitle(c.path, title, comment);
        EXPECT_STREQ(title, c.title) << c.path;
        EXPECT_STREQ(comment, c.comment) << c.path;
    }
}

}  // namespace
