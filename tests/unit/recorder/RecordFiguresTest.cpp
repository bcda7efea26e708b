// The recording dialog's position, output names and live figures.
#include <gtest/gtest.h>

#include "recorder/RecordFigures.h"

namespace {

TEST(RecordFigures, SavedPositionIsKeptOnTheDesktop) {
    const DesktopRect desktop{0, 0, 1024, 768};
    const struct {
        int x, y, expectedX, expectedY;
    } cases[] = {{100, 100, 100, 100}, {5000, 900, 1008, 752}, {-40, -3, 0, 0}, {1008, 752, 1008, 752}};
    for (const auto& c : cases) {
        int x = c.x, y = c.y;
        ClampDialogPosition(x, y, desktop);
        EXPECT_EQ(x, c.expectedX) << c.x;
        EXPECT_EQ(y, c.expectedY) << c.y;
    }
}

TEST(RecordFigures, StoredModeOutsideOneToFourIsOneSong) {
    EXPECT_EQ(CorrectRecordMode(0), kRecordOneSong);
    EXPECT_EQ(CorrectRecordMode(5), kRecordOneSong);
    EXPECT_EQ(CorrectRecordMode(3), kRecordWholeList);
}

TEST(RecordFigures, NamesWithoutExtensionGetWavAndRelativeNamesLandInTheFolder) {
    EXPECT_EQ(WithWaveExtension("take"), "take.wav");
    EXPECT_EQ(WithWaveExtension("take.WAV"), "take.WAV");
    EXPECT_EQ(WithWaveExtension("my.dir\\take"), "my.dir\\take.wav");
    EXPECT_EQ(OutputPathIn("D:\\single", "take.wav"), "D:\\single\\take.wav");
    EXPECT_EQ(OutputPathIn("D:\\", "take.wav"), "D:\\take.wav");
    EXPECT_EQ(OutputPathIn("D:\\single", "C:\\x.wav"), "C:\\x.wav");
    EXPECT_EQ(OutputPathIn("D:\\single", "\\\\server\\x.wav"), "\\\\server\\x.wav");
}

TEST(RecordFigures, FreeSpaceDriveComesFromThePathThenTheFolderAndNoneForANetworkPath) {
    EXPECT_EQ(OutputDriveLetter("c:\\rec\\a.wav", "D:\\x"), 'C');
    EXPECT_EQ(OutputDriveLetter("a.wav", "D:\\x"), 'D');
    EXPECT_EQ(OutputDriveLetter("\\\\server\\share\\a.wav", "\\\\server\\share"), '\0');
    EXPECT_EQ(OutputDriveLetter("", ""), '\0');
}

TEST(RecordFigures, KilobytesCarryThousandsCommasBeyondThirtyTwoBits) {
    EXPECT_EQ(KilobytesText(0), "0");
    EXPECT_EQ(KilobytesText(1023), "0");
    EXPECT_EQ(KilobytesText(999 * 1024), "999");
    EXPECT_EQ(KilobytesText(1000 * 1024), "1,000");
    EXPECT_EQ(KilobytesText(std::uint64_t{1234567} * 1024 + 1023), "1,234,567");
    EXPECT_EQ(KilobytesText(std::uint64_t{5} << 40), "5,368,709,120");
    EXPECT_EQ(SecondsText(3600), "3600");
}

}  // namespace
