// Composition arithmetic of the emulated screen: the runs of text cells drawn together, the
// widening over split double-byte characters, the bottom-up source rows, the presentation plan,
// and the desktop check of saved window rectangles.
#include "wrd/ScreenComposer.h"

#include <gtest/gtest.h>

#include <climits>

#include "wrd/WindowPlacement.h"

namespace {

struct RunShape {
    int row, column, length, textColumn, textLength, attribute;
};

void ExpectRuns(const std::vector<TextRun>& runs, const std::vector<RunShape>& expected) {
    ASSERT_EQ(runs.size(), expected.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runs[i].row, expected[i].row);
        EXPECT_EQ(runs[i].column, expected[i].column);
        EXPECT_EQ(runs[i].length, expected[i].length);
        EXPECT_EQ(runs[i].textColumn, expected[i].textColumn);
        EXPECT_EQ(runs[i].textLength, expected[i].textLength);
        EXPECT_EQ(runs[i].attribute, expected[i].attribute);
    }
}

TextPlane BlankPlane() {
    TextPlane text;
    text.cellChars.fill(kBlankChar);
    text.cellAttrs.fill(kDefaultAttribute);
    text.cellKinds.fill(kSingleByte);
    return text;
}

void PutDoubleByte(TextPlane& text, int index, std::uint8_t lead, std::uint8_t trail) {
    text.cellChars[index] = lead;
    text.cellKinds[index] = kLeadByte;
    text.cellChars[index + 1] = trail;
    text.cellKinds[index + 1] = kTrailByte;
}

TEST(ScreenComposer, RunsSplitAtEveryAttributeChangeAndAtRowEnds) {
    TextPlane text = BlankPlane();
    text.cellAttrs[2] = text.cellAttrs[3] = text.cellAttrs[4] = 0x0C;  // reverse blue
    text.cellAttrs[80 + 1] = 1;
    ExpectRuns(TextRunsIn(text, CellRect{0, 0, 6, 2}), {{0, 0, 2, 0, 2, 7},
                                                        {0, 2, 3, 2, 3, 0x0C},
                                                        {0, 5, 1, 5, 1, 7},
                                                        {1, 0, 1, 0, 1, 7},
                                                        {1, 1, 1, 1, 1, 1},
                                                        {1, 2, 4, 2, 4, 7}});
    const std::vector<TextRun> runs = TextRunsIn(text, CellRect{2, 0, 1, 1});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].Reverse());
    EXPECT_EQ(runs[0].Colour().blue, 255);
    EXPECT_EQ(runs[0].Colour().red, 0);
}

TEST(ScreenComposer, SplitDoubleByteCharactersAreDrawnWholeButOnlyOverMatchingHalves) {
    TextPlane text = BlankPlane();
    PutDoubleByte(text, 10, 0x82, 0xA0);  // cells 10-11
    PutDoubleByte(text, 20, 0x88, 0x9F);  // cells 20-21, the second half in another colour
    text.cellAttrs[21] = 2;
    text.cellKinds[31] = kTrailByte;  // an orphaned second half
    text.cellKinds[79] = kLeadByte;   // a first half at the end of the row
    struct Case {
        CellRect block;
        RunShape run;
    } cases[] = {
        {{11, 0, 1, 1}, {0, 11, 1, 10, 2, 7}},  // block starts on the second half
        {{10, 0, 1, 1}, {0, 10, 1, 10, 2, 7}},  // block ends on the first half
        {{10, 0, 2, 1}, {0, 10, 2, 10, 2, 7}},  // whole character: nothing to widen
        {{21, 0, 1, 1}, {0, 21, 1, 20, 2, 2}},  // second half in a run of its own colour
        {{31, 0, 1, 1}, {0, 31, 1, 31, 1, 7}},  // orphan: no neighbour pulled in
        {{79, 0, 1, 1}, {0, 79, 1, 79, 1, 7}},  // never past the row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block.column);
        ExpectRuns(TextRunsIn(text, c.block), {c.run});
    }
    // Within one block the colour change splits the character into two widened runs.
    ExpectRuns(TextRunsIn(text, CellRect{20, 0, 2, 1}), {{0, 20, 1, 20, 2, 7}, {0, 21, 1, 20, 2, 2}});
}

TEST(ScreenComposer, RunBytesIncludeTheWideningAndDrawClearedCellsAsBlanks) {
    TextPlane text = BlankPlane();
    PutDoubleByte(text, 81, 0x83, 0x5C);  // a second half equal to a backslash
    text.cellChars[83] = 0;
    text.cellChars[84] = 'A';
    const std::vector<TextRun> runs = TextRunsIn(text, CellRect{2, 1, 3, 1});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(RunBytes(text, runs[0]), std::string("\x83\x5C A"));
}

TEST(ScreenComposer, BlocksOutsideTheScreenAreClipped) {
    const TextPlane text = BlankPlane();
    ExpectRuns(TextRunsIn(text, CellRect{78, 24, 5, 3}), {{24, 78, 2, 78, 2, 7}});
    ExpectRuns(TextRunsIn(text, CellRect{-3, -1, 4, 2}), {{0, 0, 1, 0, 1, 7}});
    EXPECT_TRUE(TextRunsIn(text, CellRect{80, 0, 4, 4}).empty());
    EXPECT_TRUE(TextRunsIn(text, CellRect{0, 0, 0, 25}).empty());
}

TEST(ScreenComposer, PixelsAndBottomUpRowsOfBlocks) {
    struct Case {
        CellRect cells;
        int left, top, width, height, sourceY;
    } cases[] = {
        {{0, 0, 80, 25}, 0, 0, 640, 400, 0},
        {{0, 0, 1, 1}, 0, 0, 8, 16, 384},
        {{79, 24, 1, 1}, 632, 384, 8, 16, 0},
        {{3, 2, 4, 5}, 24, 32, 32, 80, 288},
    };
    for (const Case& c : cases) {
        const PixelBox box = CellPixels(c.cells);
        EXPECT_EQ(box.left, c.left);
        EXPECT_EQ(box.top, c.top);
        EXPECT_EQ(box.width, c.width);
        EXPECT_EQ(box.height, c.height);
        EXPECT_EQ(BottomUpSourceY(c.cells), c.sourceY);
    }
}

TEST(ScreenComposer, OnlyTheNativeSizeCopiesJustTheBlock) {
    const Presentation same = PlanPresentation(CellRect{3, 2, 4, 5}, 640, 400);
    EXPECT_FALSE(same.stretch);
    EXPECT_EQ(same.source.left, 24);
    EXPECT_EQ(same.target.top, 32);
    EXPECT_EQ(same.target.width, 32);
    for (const auto& size : {std::pair<int, int>{320, 200}, {640, 401}, {1280, 800}}) {
        const Presentation scaled = PlanPresentation(CellRect{3, 2, 4, 5}, size.first, size.second);
        EXPECT_TRUE(scaled.stretch);
        EXPECT_EQ(scaled.source.width, 640);
        EXPECT_EQ(scaled.source.height, 400);
        EXPECT_EQ(scaled.target.left, 0);
        EXPECT_EQ(scaled.target.width, size.first);
        EXPECT_EQ(scaled.target.height, size.second);
    }
}

TEST(WindowPlacement, OnlyRectanglesOverlappingTheDesktopAreUsed) {
    const DesktopArea desktop{0, 0, 1024, 768};
    struct Case {
        std::int32_t x, y, width, height;
        bool reaches;
    } cases[] = {
        {100, 100, 640, 400, true},          {-639, 0, 640, 400, true},  // one column still on the desktop
        {-640, 0, 640, 400, false},                                      // ends exactly at the left edge
        {1023, 767, 640, 400, true},                                     // one pixel in the bottom-right corner
        {1024, 0, 640, 400, false},          {0, 768, 640, 400, false},
        {0, -400, 640, 400, false},          {INT_MIN, INT_MIN, 640, 400, false},  // never saved
        {100, 100, INT_MIN, INT_MIN, false},                                       // size never saved
        {INT_MAX, 0, INT_MAX, 400, false},                                         // no overflow into the desktop
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(ReachesDesktop(c.x, c.y, c.width, c.height, desktop), c.reaches);
    }
    // A desktop whose origin is not at 0 (a monitor left of the primary one).
    EXPECT_TRUE(ReachesDesktop(-1500, 10, 640, 400, DesktopArea{-1920, 0, 1024, 768}));
}

}  // namespace
