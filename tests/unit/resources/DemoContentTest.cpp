// The generated demo as the player's own readers see it: the play list and the songs it names,
// the waltz with its title and measures, the picture, the script and the companion text.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "devices/ByteSource.h"
#include "devices/MidiSequence.h"
#include "devices/MpegFrameHeader.h"
#include "devices/RiffWaveParser.h"
#include "songfiles/Id3v1.h"
#include "songfiles/PlayListFile.h"
#include "wrd/MagDecoder.h"
#include "wrd/ScreenModel.h"

namespace {

const std::string kDemoDir = MX_DEMO_DIR;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// "Z:\dir\file" as Wine shows a Linux path, back to "/dir/file".
std::string FromWine(std::string path) {
    if (path.rfind("Z:", 0) != 0) {
        return "";
    }
    path.erase(0, 2);
    for (char& c : path) {
        c = c == '\\' ? '/' : c;
    }
    return path;
}

// Every lead byte of a double-byte character is followed by a trail byte.
bool IsWholeShiftJis(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            if (i + 1 >= text.size() || static_cast<unsigned char>(text[i + 1]) < 0x40) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

double SecondsOfWave(const std::string& path) {
    MemoryByteSource source(ReadBytes(path));
    RiffWaveLayout layout;
    if (ParseRiffWave(source, layout) != RiffWaveResult::kOk || layout.avgBytesPerSec == 0) {
        return -1;
    }
    EXPECT_EQ(layout.channels, 2);
    EXPECT_EQ(layout.bitsPerSample, 16);
    return static_cast<double>(layout.dataLength) / layout.avgBytesPerSec;
}

double SecondsOfMp3(const std::string& path) {
    MemoryByteSource source(ReadBytes(path));
    Mp3Layout layout;
    if (ParseMp3(source, layout) != Mp3Result::kOk || layout.avgBytesPerSec == 0) {
        return -1;
    }
    return static_cast<double>(layout.dataLength) / layout.avgBytesPerSec;
}

TEST(DemoContent, PlayListNamesFourPlayableSongsOfTenToTwentyFiveSeconds) {
    PlayListFile list;
    ASSERT_EQ(list.Load((kDemoDir + "/demo.rpl").c_str()), 1);
    EXPECT_STREQ(list.title, "Melodrix デモ");
    ASSERT_EQ(list.EntryCount(), 4);
    for (int i = 0; i < list.EntryCount(); ++i) {
        PlayListEntry entry;
        ASSERT_EQ(list.GetEntry(i, entry), 1);
        SCOPED_TRACE(entry.path);
        const std::string path = FromWine(entry.path);
        ASSERT_FALSE(path.empty()) << "not a path under Z:";
        EXPECT_NE(entry.title[0], '\0');
        EXPECT_TRUE(IsWholeShiftJis(entry.title));
        double seconds = 0;
        const std::string extension = path.substr(path.size() - 4);
        if (extension == ".wav") {
            seconds = SecondsOfWave(path);
        } else if (extension == ".mp3") {
            seconds = SecondsOfMp3(path);
        } else if (extension == ".mid") {
            MidiSequence song(path.c_str());
            ASSERT_TRUE(song.IsLoaded());
            seconds = static_cast<double>(song.TotalTime()) / 1e6;
        } else {
            ADD_FAILURE() << "unexpected kind of song";
        }
        EXPECT_GE(seconds, 10.0);
        EXPECT_LE(seconds, 25.0);
    }
}

TEST(DemoContent, WaltzHasItsTitleThreeFourTimeAndSixteenMeasures) {
    MidiSequence song((kDemoDir + "/demo.mid").c_str());
    ASSERT_TRUE(song.IsLoaded());
    char title[64] = {};
    ASSERT_GT(song.GetTitle(title, sizeof title), 0);
    EXPECT_STREQ(title, "夕暮れのワルツ");
    EXPECT_EQ(song.TimeSignature()[0], 3);
    EXPECT_EQ(song.TimeSignature()[1], 2);
    EXPECT_EQ(song.TickToMeasure(song.TotalTicks() - 1).measure, 15u);
}

TEST(DemoContent, Mp3CarriesItsTag) {
    std::vector<std::uint8_t> bytes = ReadBytes(kDemoDir + "/arpeggio.mp3");
    Id3v1Tag tag;
    ASSERT_TRUE(ParseId3v1(tag, bytes.data(), bytes.size()));
    EXPECT_STREQ(tag.title, "Arpeggio");
}

TEST(DemoContent, PictureDecodesAtItsOwnPlace) {
    std::vector<std::uint8_t> bytes = ReadBytes(kDemoDir + "/demo.mag");
    ScreenModel screen;
    MagInfo info = DecodeMag(bytes.data(), bytes.size(), screen, -1, -1, kMagUseImagePalette);
    ASSERT_EQ(info.result, MagResult::kLoaded);
    EXPECT_EQ(info.destX, 352);
    EXPECT_EQ(info.destY, 200);
    EXPECT_EQ(info.width, 256);
    EXPECT_EQ(info.height, 160);
}

TEST(DemoContent, ScriptAndTextAreShiftJisLinesAndTheScriptFitsTheSong) {
    for (const char* name : {"demo.wrd", "demo.txt"}) {
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> bytes = ReadBytes(kDemoDir + "/" + name);
        std::string text(bytes.begin(), bytes.end());
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(IsWholeShiftJis(text));
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    }
    // Steps of a measure each: lines not joined to the next by ";", less the start-up line and the
    // quarter-note steps between WMODE(23) and WMODE(0). The waltz has 16 measures.
    std::vector<std::uint8_t> bytes = ReadBytes(kDemoDir + "/demo.wrd");
    std::string script(bytes.begin(), bytes.end());
    EXPECT_EQ(script.rfind("@STARTUP", 0), 0u);
    int measureSteps = 0;
    bool quarterSteps = false;
    std::size_t start = 0;
    for (std::size_t end; (end = script.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = script.substr(start, end - start);
        if (line.find("@WMODE(23)") != std::string::npos) {
            quarterSteps = true;
        } else if (line.find("@WMODE(0)") != std::string::npos) {
            quarterSteps = false;
        }
        if (!line.empty() && line.back() != ';' && start != 0 && !quarterSteps) {
            ++measureSteps;
        }
    }
    EXPECT_GE(measureSteps, 8);
    EXPECT_LE(measureSteps, 16);
}

}  // namespace
