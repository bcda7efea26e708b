// The Recomposer header reader: identification, texts, timebase and the fixed meter.
#include "songfiles/RcpSongInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/RcpSongBuilder.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFileBytes.h"

namespace {

// A header of the given size: identification, padded title and memo, timebase and meter.
std::string RcpHeader(std::size_t size, std::uint16_t timebase, std::uint8_t numerator, std::uint8_t denominator) {
    RcpFileBytes file;
    file.title = "My Song \t";
    file.memo = "Memo line";
    file.timebase = timebase;
    file.numerator = numerator;
    file.denominator = denominator;
    file.size = size;
    return file.Build();
}

RcpSongInfo FromBytes(const std::string& bytes) {
    return RcpSongInfo(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(RcpSongInfo, ReadsOnlyAWholeHeaderWithTheIdentification) {
    std::string wrongId = RcpHeader(600, 48, 3, 4);
    wrongId[31] = 'x';
    const struct {
        const char* name;
        std::string bytes;
        bool loaded;
    } cases[] = {
        {"518 bytes", RcpHeader(518, 48, 3, 4), true},
        {"517 bytes", RcpHeader(518, 48, 3, 4).substr(0, 517), false},
        {"larger file", RcpHeader(4000, 48, 3, 4), true},
        {"last identification byte differs", wrongId, false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        const RcpSongInfo info = FromBytes(c.bytes);
        EXPECT_EQ(info.IsLoaded(), c.loaded) << c.name;
        char text[400] = "x";
        EXPECT_EQ(info.GetTitle(text, sizeof text), c.loaded ? 7 : -1) << c.name;
        EXPECT_STREQ(text, c.loaded ? "My Song" : "") << c.name;
        EXPECT_EQ(info.GetComment(text, sizeof text), c.loaded ? 9 : -1) << c.name;
        EXPECT_STREQ(text, c.loaded ? "Memo line" : "") << c.name;
        EXPECT_EQ(info.GetTimebase(), c.loaded ? 48 : 0) << c.name;
        MeasurePosition position;
        EXPECT_EQ(info.MeasureToPosition(position, 1) != 0, c.loaded) << c.name;
    }
}

TEST(RcpSongInfo, FixedMeterConvertsMeasuresAndTicks) {
    const struct {
        const char* name;
        std::uint16_t timebase;
        std::uint8_t numerator, denominator;
        std::uint32_t ticksPerMeasure;  // 0: conversions fail
    } cases[] = {
        {"0/0 is 4/4", 48, 0, 0, 192}, {"3/4", 48, 3, 4, 144},
        {"6/8", 480, 6, 8, 1440},      {"timebase high byte", 0x1E0, 4, 4, 1920},
        {"timebase 0", 0, 4, 4, 0},    {"denominator larger than the measure", 1, 1, 255, 0},
    };
    for (const auto& c : cases) {
        const RcpSongInfo info = FromBytes(RcpHeader(518, c.timebase, c.numerator, c.denominator));
        ASSERT_TRUE(info.IsLoaded()) << c.name;
        MeasurePosition position{7, 7, 7, 7};
        if (c.ticksPerMeasure == 0) {
            EXPECT_EQ(info.MeasureToPosition(position, 3), 0) << c.name;
            EXPECT_EQ(info.PositionToMeasure(position, 3), 0) << c.name;
            EXPECT_EQ(position.tick, 7u) << c.name;
            continue;
        }
        EXPECT_EQ(info.MeasureToPosition(position, 3), 1) << c.name;
        EXPECT_EQ(position.tick, 3 * c.ticksPerMeasure) << c.name;
        EXPECT_EQ(position.measure, 3u) << c.name;
        EXPECT_EQ(position.tickInMeasure, 0u) << c.name;
        EXPECT_EQ(position.ticksPerMeasure, c.ticksPerMeasure) << c.name;
        EXPECT_EQ(info.PositionToMeasure(position, 2 * c.ticksPerMeasure + 5), 1) << c.name;
        EXPECT_EQ(position.measure, 2u) << c.name;
        EXPECT_EQ(position.tickInMeasure, 5u) << c.name;
        EXPECT_EQ(position.tick, 2 * c.ticksPerMeasure + 5) << c.name;
    }
}

TEST(RcpSongInfo, ReadsThroughTheFileSystemAndCutsTexts) {
    MemoryFileSystem files;
    files.AddFile("C:\\song.rcp", RcpHeader(518, 96, 0, 0));
    ScopedFileSystem scope(files);
    const RcpSongInfo info("C:\\song.rcp");
    char text[4];
    EXPECT_EQ(info.GetTitle(text, sizeof text), 3);
    EXPECT_STREQ(text, "My ");
    EXPECT_FALSE(RcpSongInfo("C:\\none.rcp").IsLoaded());
}

}  // namespace

namespace {

TEST(RcpSongInfo, ReadsTheLaterLayoutsHeader) {
    RcpSongBuilder song(RcpLayout::kV3);
    song.title = std::string(100, 'T') + "end";  // longer than the older layout's 64 bytes
    song.memoLines = {"memo"};
    song.timebase = 480;
    song.numerator = 6;
    song.denominator = 8;
    const std::string bytes = song.Build();
    const RcpSongInfo info = FromBytes(bytes);
    ASSERT_TRUE(info.IsLoaded());
    char text[RcpSongInfo::kMemoBytes + 1];
    EXPECT_EQ(info.GetTitle(text, sizeof text), 103);
    EXPECT_EQ(info.GetComment(text, sizeof text), 4);
    EXPECT_STREQ(text, "memo");
    EXPECT_EQ(info.GetTimebase(), 480);
    MeasurePosition position;
    ASSERT_EQ(info.MeasureToPosition(position, 2), 1);
    EXPECT_EQ(position.tick, 2u * 6 * 240);
    // The fixed part of the header must be there.
    EXPECT_FALSE(FromBytes(bytes.substr(0, RcpSongInfo::kV3HeaderBytes - 1)).IsLoaded());
    EXPECT_TRUE(FromBytes(bytes.substr(0, RcpSongInfo::kV3HeaderBytes)).IsLoaded());
}

}  // namespace
