// The quick title scan of a MIDI file's first track.
#include "songfiles/SmfSongInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SmfBuilder.h"

namespace {

SmfSongInfo FromBytes(const std::string& bytes) {
    return SmfSongInfo(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

struct TextCase {
    const char* name;
    std::string bytes;
    bool loaded;
    int titleLength;  // -1: none
    const char* title;
    int noticeLength;
    const char* notice;
};

TEST(SmfSongInfo, FindsTheTextsOfTheFirstTrack) {
    const std::string good = SmfBuilder(1, 96)
                                 .Track()
                                 .Event(0, {0xC0, 1})
                                 .Event(0, {2})
                                 .Event(3, {0xF0, 1, 0xF7})
                                 .Title(0, "Song")
                                 .Notice(0, "(C) us")
                                 .Title(0, "Later")
                                 .EndOfTrack()
                                 .Track()
                                 .Notice(0, "Second track")
                                 .EndOfTrack()
                                 .Build();
    const TextCase cases[] = {
        {"title and notice", good, true, 4, "Song", 6, "(C) us"},
        {"title only", SmfBuilder(0, 96).Track().Title(0, "Solo").EndOfTrack().Build(), true, 4, "Solo", -1, ""},
        {"texts after the end of track are not read", SmfBuilder(0, 96).Track().EndOfTrack().Title(0, "Ghost").Build(),
         true, -1, "", -1, ""},
        {"only the first track", SmfBuilder(1, 96).Track().EndOfTrack().Track().Title(0, "T2").Build(), true, -1, "",
         -1, ""},
        {"text at the very end of the track", SmfBuilder(0, 96).Track().Title(0, "End").Build(), true, 3, "End", -1,
         ""},
        {"text cut by the end of the track",
         SmfBuilder(0, 96)
             .Track()
             .Notice(0, "ok")
             .Raw(std::string("\x00\xFF\x03\x10"
                              "abc",
                              7))
             .Build(),
         true, -1, "", 2, "ok"},
        {"track cut by the end of the file",
         SmfBuilder(0, 96).Track().Title(0, "Kept").Notice(0, "Lost").Build().substr(0, 22 + 8), true, 4, "Kept", -1,
         ""},
        {"data before any channel message ends the scan",
         SmfBuilder(0, 96).Track().Event(0, {0x40, 0x40}).Title(0, "Never").Build(), true, -1, "", -1, ""},
        {"no MThd", "RIFF" + good.substr(4), false, -1, "", -1, ""},
        {"no MTrk", good.substr(0, 14) + "XTrk" + good.substr(18), false, -1, "", -1, ""},
        {"header only", good.substr(0, 14), false, -1, "", -1, ""},
    };
    for (const TextCase& c : cases) {
        const SmfSongInfo info = FromBytes(c.bytes);
        EXPECT_EQ(info.IsLoaded(), c.loaded) << c.name;
        char text[64] = "x";
        EXPECT_EQ(info.GetTitle(text, sizeof text), c.titleLength) << c.name;
        EXPECT_STREQ(text, c.title) << c.name;
        EXPECT_EQ(info.GetComment(text, sizeof text), c.noticeLength) << c.name;
        EXPECT_STREQ(text, c.notice) << c.name;
    }
}

TEST(SmfSongInfo, AnswersNoTimingAndCutsTitles) {
    MemoryFileSystem files;
    files.AddFile("C:\\a.mid", SmfBuilder(0, 480).Track().Title(0, "ABCDEFGHIJKLMNOPQRST").EndOfTrack().Build());
    ScopedFileSystem scope(files);
    const SmfSongInfo info("C:\\a.mid");
    EXPECT_EQ(info.GetTimebase(), 0);
    char text[8];
    EXPECT_EQ(info.GetTitle(text, sizeof text), 7);
    EXPECT_STREQ(text, "ABCDEFG");
    MeasurePosition position{1, 2, 3, 4};
    EXPECT_EQ(info.MeasureToPosition(position, 5), 0);
    EXPECT_EQ(info.PositionToMeasure(position, 5), 0);
    EXPECT_EQ(position.tick + position.measure + position.tickInMeasure + position.ticksPerMeasure, 10u);
    EXPECT_EQ(info.hasSequence, 0);

    const SmfSongInfo missing("C:\\b.mid");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.GetTitle(text, sizeof text), -1);
}

}  // namespace
