// The text console: control codes, double-byte placement and repair, escape and control sequences,
// scrolling, saved cursor, attributes and FillTextRect, all on the screen model's text plane.
#include "wrd/TextEscapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/unit/wrd/ScreenRecorder.h"

namespace {

// Shift-JIS hiragana "a", "i", "u" as bytes, so both compilers see the same text.
const std::string kA = "\x82\xA0";
const std::string kI = "\x82\xA2";
const std::string kU = "\x82\xA4";

struct Console {
    ScreenModel screen;
    TextEscapes text{screen};

    void Put(const std::string& bytes) {
        text.PutBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    void At(int row, int column) { screen.Text().cursorPos = row * kTextColumns + column; }
    int Cursor() const { return screen.Text().cursorPos; }
    std::string Row(int row) const {
        const auto& chars = screen.Text().cellChars;
        return std::string(chars.begin() + row * kTextColumns, chars.begin() + (row + 1) * kTextColumns);
    }
    // The row without its trailing blanks.
    std::string Trimmed(int row) const {
        std::string line = Row(row);
        line.erase(line.find_last_not_of(' ') + 1);
        return line;
    }
    int Kind(int index) const { return screen.Text().cellKinds[index]; }
    int Attr(int index) const { return screen.Text().cellAttrs[index]; }
    void FillRows(int first, int last) {
        for (int row = first; row <= last; ++row) {
            At(row, 0);
            Put(std::string(1, static_cast<char>('A' + row)));
        }
    }
};

TEST(TextEscapes, ControlCodesMoveTheCursor) {
    struct Case {
        int start;
        std::string input;
        int cursor;
    };
    const Case cases[] = {
        {5, "\x08", 4}, {0, "\x08", 0},     {0, "\t", 8},       {7, "\t", 8},
        {8, "\t", 16},  {85, "\n", 160},    {1930, "\n", 1920}, {300, "\x1E", 0},
        {10, "\r", 11}, {1999, "\t", 1920}, {1999, "x", 1920},  {0, "ab\x08\x08", 0},
    };
    for (const Case& c : cases) {
        Console console;
        console.screen.Text().cursorPos = c.start;
        console.Put(c.input);
        EXPECT_EQ(c.cursor, console.Cursor()) << c.start << " " << c.input;
    }
}

TEST(TextEscapes, CarriageReturnIsWrittenLikeAnyByte) {
    Console console;
    console.Put("a\rb");
    EXPECT_EQ("a\rb", console.Trimmed(0));
}

TEST(TextEscapes, SubstituteZeroesCharactersAndAttributesButKeepsKinds) {
    Console console;
    console.Put("x" + kA);
    console.Put("\x1A");
    EXPECT_EQ(0, console.Cursor());
    EXPECT_EQ(0, console.screen.Text().cellChars[0]);
    EXPECT_EQ(0, console.Attr(500));
    EXPECT_EQ(kLeadByte, console.Kind(1));
    EXPECT_EQ(kTrailByte, console.Kind(2));
}

TEST(TextEscapes, HalfWidthPairsBecomeSingleBytes) {
    struct Case {
        std::uint8_t t;
        std::uint8_t expected;
    };
    const Case cases[] = {{0x40, 0x21}, {0x7E, 0x5F}, {0x81, 0x61}, {0x9E, 0x7E},
                          {0x9F, 0xDF}, {0xDD, 0x1D}, {0x7F, 0x20}, {0xDE, 0x20}};
    for (const Case& c : cases) {
        Console console;
        console.Put(std::string{'\x85', static_cast<char>(c.t)});
        EXPECT_EQ(c.expected, console.screen.Text().cellChars[0]) << int{c.t};
        EXPECT_EQ(kSingleByte, console.Kind(0));
        EXPECT_EQ(1, console.Cursor());
    }
}

TEST(TextEscapes, DoubleByteCharacterAtTheLastColumnStartsTheNextRow) {
    Console console;
    console.screen.Text().attribute = 2;
    console.At(0, 79);
    console.Put(kA);
    EXPECT_EQ(' ', console.Row(0)[79]);
    EXPECT_EQ(kSingleByte, console.Kind(79));
    EXPECT_EQ(2, console.Attr(79));
    EXPECT_EQ(kA, console.Row(1).substr(0, 2));
    EXPECT_EQ(kLeadByte, console.Kind(80));
    EXPECT_EQ(kTrailByte, console.Kind(81));
    EXPECT_EQ(82, console.Cursor());
}

TEST(TextEscapes, DoubleByteCharacterAtTheVeryLastCellScrollsFirst) {
    Console console;
    console.At(24, 0);
    console.Put("q");
    console.At(24, 79);
    console.Put(kA);
    EXPECT_EQ("q", console.Trimmed(23));
    EXPECT_EQ(kA, console.Trimmed(24));
    EXPECT_EQ(1922, console.Cursor());
}

TEST(TextEscapes, OverwritingHalfACharacterTurnsTheOtherHalfIntoASpace) {
    struct Case {
        int at;
        std::string overwrite;
        std::string row;
        int kinds[6];
    };
    const Case cases[] = {
        {1, "x", " x" + kI, {0, 0, 1, 2, 0, 0}},   {0, "x", "x " + kI, {0, 0, 1, 2, 0, 0}},
        {1, kU, " " + kU, {0, 1, 2, 0, 0, 0}},     {2, kU, kA + kU, {1, 2, 1, 2, 0, 0}},
        {3, "yz", kA + " yz", {1, 2, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Console console;
        console.screen.Text().attribute = 5;
        console.Put(kA + kI);
        console.screen.Text().attribute = 6;
        console.At(0, c.at);
        console.Put(c.overwrite);
        EXPECT_EQ(c.row, console.Trimmed(0)) << c.at << " " << c.overwrite;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(c.kinds[i], console.Kind(i)) << c.at << " cell " << i;
        }
    }
    Console console;
    console.screen.Text().attribute = 5;
    console.Put(kA);
    console.screen.Text().attribute = 6;
    console.At(0, 1);
    console.Put("x");
    EXPECT_EQ(5, console.Attr(0));  // the orphan keeps its attribute
}

TEST(TextEscapes, LeadByteAtTheEndOfTheTextEndsIt) {
    Console console;
    console.text.PutString("a\x82");
    EXPECT_EQ(kLeadByte, console.Kind(1));
    EXPECT_EQ(0, console.screen.Text().cellChars[2]);
    EXPECT_EQ(3, console.Cursor());
}

TEST(TextEscapes, CursorSequencesPlaceTheCursor) {
    struct Case {
        int startRow, startColumn;
        std::string input;
        int row, column;
    };
    const Case cases[] = {
        {3, 3, "\x1b[5H", 4, 0},
        {3, 3, "\x1b[H", 0, 0},
        {0, 0, "\x1b[30;100H", 24, 79},
        {0, 0, "\x1b[1;5f", 0, 4},
        {0, 0, "\x1b[0;0H", 0, 0},
        {0, 0, "\x1b[ 2 ; 3H", 1, 2},
        {0, 0, "\x1b=\x21\x29", 0, 8},
        {0, 0, "\x1b=\x7f\x7f", 24, 79},
        {0, 0, "\x1b=\x20\x20", 0, 0},
        {10, 5, "\x1b[3A", 7, 5},
        {10, 5, "\x1b[A", 9, 5},
        {10, 5, "\x1b[30A", 0, 5},
        {10, 5, "\x1b[0B", 11, 5},
        {10, 5, "\x1b[99B", 24, 5},
        {0, 79, "\x1b[C", 1, 0},
        {24, 70, "\x1b[50C", 24, 79},
        {1, 0, "\x1b[D", 0, 79},
        {0, 3, "\x1b[9D", 0, 0},
        {5, 5, "\x1b[99999999999999999999B", 24, 5},
        {5, 5,
         "\x1b"
         "D",
         6, 5},
        {5, 5,
         "\x1b"
         "E",
         6, 0},
        {5, 5, "\x1bM", 4, 5},
    };
    for (const Case& c : cases) {
        Console console;
        console.At(c.startRow, c.startColumn);
        console.Put(c.input);
        EXPECT_EQ(c.row * 80 + c.column, console.Cursor()) << c.input.substr(1);
        EXPECT_EQ("", console.Trimmed(c.row)) << c.input.substr(1);
    }
}

TEST(TextEscapes, IgnoredSequencesAreConsumed) {
    const std::string inputs[] = {"\x1b)Xa", "\x1b[>12a", "\x1b[5na", "\x1b[pa"};
    for (const std::string& input : inputs) {
        Console console;
        console.Put(input);
        EXPECT_EQ("a", console.Trimmed(0)) << input.substr(1);
    }
}

TEST(TextEscapes, UnknownOrCutSequencesShowASpaceAndTheirBytes) {
    struct Case {
        std::string input;
        std::string row;
    };
    const Case cases[] = {
        {"\x1b[9Z", " [9Z"}, {"\x1b", ""},          {"a\x1b", "a"},          {"\x1b=!", " =!"},
        {"\x1bQ", " Q"},     {"\x1b)", " )"},       {"\x1b[>1", " [>1"},     {"\x1b[12", " [12"},
        {"\x1b[5s", " [5s"}, {"\x1b[;5H", " [;5H"}, {"\x1b[;34m", " [;34m"},
    };
    for (const Case& c : cases) {
        Console console;
        console.Put(c.input);
        EXPECT_EQ(c.row, console.Trimmed(0)) << c.input.substr(1);
        EXPECT_EQ(static_cast<int>(c.input.size()), console.Cursor()) << c.input.substr(1);
    }
}

TEST(TextEscapes, SaveAndRestoreCursorAndAttribute) {
    Console console;
    console.At(3, 4);
    console.Put("\x1b[31m\x1b[s\x1b[44m\x1b[10;10H\x1b[u");
    EXPECT_EQ(3 * 80 + 4, console.Cursor());
    EXPECT_EQ(1, console.screen.Text().attribute);
    console.screen.ResetText();
    console.Put("\x1b[u");
    EXPECT_EQ(0, console.Cursor());
    EXPECT_EQ(7, console.screen.Text().attribute);
}

TEST(TextEscapes, AttributeSequences) {
    struct Case {
        std::string parameters;
        int attribute;  // starting from 7
    };
    const Case cases[] = {
        {"31", 0x01}, {"44", 0x0C},   {"", 0x07},   {"17", 0x01},   {"18", 0x04},     {"20", 0x02}, {"23", 0x07},
        {"5", 0x57},  {"5;32", 0x52}, {"99", 0x07}, {"1;47", 0x1F}, {"33;1;4", 0x13}, {"3;", 0x37}, {"0", 0x07},
    };
    for (const Case& c : cases) {
        Console console;
        console.Put("\x1b[" + c.parameters + "m");
        EXPECT_EQ(c.attribute, console.screen.Text().attribute) << c.parameters;
    }
    Console console;
    console.Put("\x1b[32mg");
    EXPECT_EQ(2, console.Attr(0));
}

TEST(TextEscapes, EraseSequences) {
    struct Case {
        int row, column;
        std::string sequence;
        int firstKept;  // cells before it are checked blank up to lastKept
        int blankFrom, blankTo;
        int cursor;
    };
    const Case cases[] = {
        {2, 0, "\x1b[K", 0, 160, 239, 160},  {2, 79, "\x1b[K", 0, 239, 239, 239}, {2, 5, "\x1b[1K", 0, 160, 165, 165},
        {2, 5, "\x1b[2K", 0, 160, 239, 165}, {2, 5, "\x1b[J", 0, 165, 1999, 165}, {2, 5, "\x1b[1J", 0, 0, 165, 165},
        {2, 5, "\x1b[2J", 0, 0, 1999, 0},    {0, 0, "\x1b[J", 0, 0, 1999, 0},     {2, 5, "\x1b[2j", 0, 0, 1999, 0},
        {2, 5, "\x1b*", 0, 0, 1999, 0},
    };
    for (const Case& c : cases) {
        Console console;
        for (int i = 0; i < kTextCells; ++i) {
            console.screen.Text().cellChars[i] = 'z';
            console.screen.Text().cellAttrs[i] = 3;
        }
        console.At(c.row, c.column);
        console.Put(c.sequence);
        for (int i = 0; i < kTextCells; ++i) {
            const bool blank = i >= c.blankFrom && i <= c.blankTo;
            ASSERT_EQ(blank ? ' ' : 'z', console.screen.Text().cellChars[i]) << c.sequence.substr(1) << " cell " << i;
            ASSERT_EQ(blank ? 7 : 3, console.Attr(i));
        }
        EXPECT_EQ(c.cursor, console.Cursor()) << c.sequence.substr(1);
    }
    Console console;
    console.Put("\x1b[3K\x1b[3J");
    EXPECT_EQ("", console.Trimmed(0));
}

TEST(TextEscapes, ErasingFromOrToHalfACharacterErasesAllOfIt) {
    Console console;
    console.Put("ab" + kA + "cd");
    console.At(0, 3);
    console.Put("\x1b[K");
    EXPECT_EQ("ab", console.Trimmed(0));
    console.Put("\x1b[H" + kA + kI);
    console.At(0, 2);
    console.Put("\x1b[1K");
    EXPECT_EQ("", console.Trimmed(0));
    EXPECT_EQ(kSingleByte, console.Kind(3));
}

TEST(TextEscapes, WritingPastTheLastCellScrollsUp) {
    Console console;
    console.FillRows(0, 24);
    console.At(24, 79);
    console.Put("xy");
    EXPECT_EQ("B", console.Trimmed(0));
    EXPECT_EQ(std::string("Y") + std::string(78, ' ') + "x", console.Row(23));
    EXPECT_EQ("y", console.Trimmed(24));
    EXPECT_EQ(1921, console.Cursor());
}

TEST(TextEscapes, IndexSequencesScrollAtTheEdges) {
    struct Case {
        int row, column;
        std::string sequence;
        std::string row0, row24;
        int cursor;
    };
    const Case cases[] = {
        {24, 7,
         "\x1b"
         "D",
         "B", "", 24 * 80 + 7},
        {24, 7,
         "\x1b"
         "E",
         "B", "", 24 * 80},
        {24, 7, "\n", "B", "", 24 * 80},
        {0, 7, "\x1bM", "", "X", 7},
        {3, 7, "\x1bM", "A", "Y", 2 * 80 + 7},
    };
    for (const Case& c : cases) {
        Console console;
        console.FillRows(0, 24);
        console.At(c.row, c.column);
        console.Put(c.sequence);
        EXPECT_EQ(c.row0, console.Trimmed(0)) << c.sequence.substr(1) << c.row;
        EXPECT_EQ(c.row24, console.Trimmed(24)) << c.sequence.substr(1) << c.row;
        EXPECT_EQ(c.cursor, console.Cursor());
    }
}

TEST(TextEscapes, InsertAndDeleteRows) {
    struct Case {
        int row;
        std::string sequence;
        std::string rows;  // first letter of each row, '.' when blank
        int cursorRow;
    };
    const Case cases[] = {
        {2, "\x1b[L", "AB.CDEFGHIJKLMNOPQRSTUVWX", 3},    {2, "\x1b[3L", "AB...CDEFGHIJKLMNOPQRSTUV", 5},
        {22, "\x1b[9L", "ABCDEFGHIJKLMNOPQRSTUV..W", 24}, {24, "\x1b[L", "ABCDEFGHIJKLMNOPQRSTUVWXY", 24},
        {2, "\x1b[M", "ABDEFGHIJKLMNOPQRSTUVWXY.", 2},    {2, "\x1b[2M", "ABEFGHIJKLMNOPQRSTUVWXY..", 2},
        {23, "\x1b[9M", "ABCDEFGHIJKLMNOPQRSTUVW..", 23}, {24, "\x1b[M", "ABCDEFGHIJKLMNOPQRSTUVWX.", 24},
    };
    for (const Case& c : cases) {
        Console console;
        console.FillRows(0, 24);
        console.At(c.row, 0);
        console.Put(c.sequence);
        std::string rows;
        for (int row = 0; row < kTextRows; ++row) {
            rows += console.Row(row)[0] == ' ' ? '.' : console.Row(row)[0];
        }
        EXPECT_EQ(c.rows, rows) << c.sequence.substr(1) << " at row " << c.row;
        EXPECT_EQ(c.cursorRow * 80, console.Cursor());
    }
}

TEST(TextEscapes, FillTextRectClipsAndRepairsItsEdges) {
    struct Case {
        int x1, y1, x2, y2;
        int filled;  // cells of the plane holding '#'
    };
    const Case cases[] = {
        {1, 1, 80, 25, 2000},   {3, 2, 1, 1, 6},     {0, 0, 2, 2, 4},
        {-5, 24, 200, 99, 160}, {81, 1, 90, 25, 0},  {1, 26, 80, 30, 0},
        {-9, -9, 0, 0, 0},      {80, 25, 80, 25, 1}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 2000},
    };
    for (const Case& c : cases) {
        Console console;
        console.text.FillTextRect(c.x1, c.y1, c.x2, c.y2, 0x3C, '#');
        int filled = 0;
        for (int i = 0; i < kTextCells; ++i) {
            if (console.screen.Text().cellChars[i] == '#') {
                ++filled;
                EXPECT_EQ(0x0C, console.Attr(i));
            }
        }
        EXPECT_EQ(c.filled, filled) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
    Console console;
    console.Put("a" + kA + "b" + kI);  // pairs at cells 1-2 and 4-5
    console.text.FillTextRect(3, 1, 5, 1, 1, '-');
    EXPECT_EQ("a --- ", console.Trimmed(0) + " ");
    EXPECT_EQ(kSingleByte, console.Kind(1));
    EXPECT_EQ(kSingleByte, console.Kind(5));
    EXPECT_EQ(7, console.Attr(1));
}

TEST(TextEscapes, WritingRefreshesTheChangedCells) {
    Console console;
    ScreenRecorder recorder;
    console.screen.SetObserver(&recorder);
    console.At(3, 10);
    console.Put(kA);
    ASSERT_EQ(1u, recorder.cells.size());
    EXPECT_TRUE((recorder.cells[0] == CellRect{10, 3, 2, 1}));
    recorder.Clear();
    console.At(3, 11);
    console.Put("x");
    ASSERT_EQ(2u, recorder.cells.size());
    EXPECT_TRUE((recorder.cells[0] == CellRect{10, 3, 1, 1}));
    EXPECT_TRUE((recorder.cells[1] == CellRect{11, 3, 1, 1}));
    recorder.Clear();
    console.Put(
        "\x1b[1;1H\x1b"
        "D\x1b[s");
    EXPECT_TRUE(recorder.cells.empty());
}

}  // namespace
