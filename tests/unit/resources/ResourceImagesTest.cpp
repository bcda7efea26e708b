// Reads the BMP and ICO files converted from the pixel art and checks what the drawing code relies
// on: exact sizes, 16 colours at 4 bits per pixel, the transparent colours exactly where a cell's
// background is, and cells that really hold distinct artwork.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
    bool operator<(const Rgb& o) const { return (r << 16 | g << 8 | b) < (o.r << 16 | o.g << 8 | o.b); }
};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kBlack{0, 0, 0};

std::vector<std::uint8_t> ReadFile(const std::string& name) {
    std::ifstream in(std::string(MX_SKIN_IMAGE_DIR) + "/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Le32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}
std::uint16_t Le16(const std::vector<std::uint8_t>& d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

// A decoded 4-bit bottom-up BMP with its palette.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<Rgb> palette;
    std::vector<Rgb> pixels;  // top-down
    Rgb At(int x, int y) const { return pixels[y * width + x]; }
};

// Fails the calling test (and returns an empty bitmap) when the file is not a plain 4-bit BMP.
Bitmap LoadBmp(const std::string& name) {
    Bitmap bmp;
    std::vector<std::uint8_t> d = ReadFile(name);
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        ADD_FAILURE() << name << " is missing or not a BMP";
        return bmp;
    }
    EXPECT_EQ(Le32(d, 14), 40u) << name << ": plain BITMAPINFOHEADER";
    bmp.width = static_cast<int>(Le32(d, 18));
    bmp.height = static_cast<int>(Le32(d, 22));
    bmp.bitCount = Le16(d, 28);
    EXPECT_EQ(Le32(d, 30), 0u) << name << ": uncompressed";
    if (bmp.bitCount != 4 || bmp.width <= 0 || bmp.height <= 0) {
        ADD_FAILURE() << name << ": " << bmp.bitCount << " bits per pixel, " << bmp.width << " x " << bmp.height;
        return bmp;
    }
    std::uint32_t colours = Le32(d, 46) ? Le32(d, 46) : 16;
    for (std::uint32_t i = 0; i < colours; ++i) {
        std::size_t at = 54 + 4 * i;
        bmp.palette.push_back({d[at + 2], d[at + 1], d[at]});
    }
    const std::size_t stride = ((bmp.width * 4 + 31) / 32) * 4;
    const std::size_t offset = Le32(d, 10);
    if (offset + stride * bmp.height > d.size()) {
        ADD_FAILURE() << name << ": pixel data cut short";
        return Bitmap{};
    }
    bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * bmp.height);
    for (int y = 0; y < bmp.height; ++y) {
        const std::uint8_t* row = &d[offset + stride * (bmp.height - 1 - y)];
        for (int x = 0; x < bmp.width; ++x) {
            int index = (x % 2) ? (row[x / 2] & 15) : (row[x / 2] >> 4);
            bmp.pixels[y * bmp.width + x] = bmp.palette.at(index);
        }
    }
    return bmp;
}

using Cell = std::vector<Rgb>;
Cell CellAt(const Bitmap& bmp, int x0, int y0, int w, int h) {
    Cell cell;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            cell.push_back(bmp.At(x, y));
        }
    }
    return cell;
}
int CountNot(const Cell& cell, Rgb background) {
    int n = 0;
    for (const Rgb& c : cell) {
        n += c != background;
    }
    return n;
}

struct Expected {
    const char* file;
    int width;
    int height;
};
constexpr Expected kBitmaps[] = {
    {"button-up.bmp", 38, 16},     {"button-down.bmp", 38, 16}, {"button-glyphs.bmp", 72, 204},
    {"state-labels.bmp", 128, 48}, {"play-order.bmp", 128, 12}, {"device-kinds.bmp", 128, 36},
    {"toggle-text.bmp", 45, 10},   {"toggle-wrd.bmp", 45, 10},  {"counter-digits.bmp", 70, 9},
    {"folder-icons.bmp", 54, 16},
};

TEST(SkinBitmaps, HaveTheirSizesAndSixteenExactColours) {
    // The 16 colours every skin bitmap carries, so TransparentBlt's key colours match exactly.
    const std::set<Rgb> vga = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                               {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                               {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                               {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const Expected& e : kBitmaps) {
        SCOPED_TRACE(e.file);
        Bitmap bmp = LoadBmp(e.file);
        EXPECT_EQ(bmp.width, e.width);
        EXPECT_EQ(bmp.height, e.height);
        EXPECT_EQ(bmp.bitCount, 4);
        EXPECT_EQ(std::set<Rgb>(bmp.palette.begin(), bmp.palette.end()), vga);
    }
}

TEST(SkinBitmaps, GlyphCellsSitOnNavyAndHoldAGlyph) {
    Bitmap bmp = LoadBmp("button-glyphs.bmp");
    ASSERT_EQ(bmp.pixels.size(), 72u * 204u);
    for (int row = 0; row < 17; ++row) {
        std::vector<Cell> columns;
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(testing::Message() << "id " << row << " column " << column);
            const int x0 = column * 24, y0 = row * 12;
            // The cell's corners and left and right edges are background, drawn through.
            for (int y = y0; y < y0 + 12; ++y) {
                EXPECT_EQ(bmp.At(x0, y), kNavy);
            }
            EXPECT_EQ(bmp.At(x0 + 23, y0), kNavy);
            EXPECT_EQ(bmp.At(x0 + 23, y0 + 11), kNavy);
            Cell cell = CellAt(bmp, x0, y0, 24, 12);
            EXPECT_GE(CountNot(cell, kNavy), 8);
            EXPECT_EQ(CountNot(cell, kMagenta), 24 * 12);
            columns.push_back(cell);
        }
        EXPECT_NE(columns[0], columns[1]) << "focused glyph " << row << " looks like the normal one";
        EXPECT_NE(columns[0], columns[2]) << "disabled glyph " << row << " looks like the normal one";
    }
}

TEST(SkinBitmaps, FolderIconsSitOnMagenta) {
    Bitmap bmp = LoadBmp("folder-icons.bmp");
    ASSERT_EQ(bmp.pixels.size(), 54u * 16u);
    std::vector<Cell> icons;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const int x0 = i * 18;
        EXPECT_EQ(bmp.At(x0, 0), kMagenta);
        EXPECT_EQ(bmp.At(x0, 15), kMagenta);
        EXPECT_EQ(bmp.At(x0 + 17, 15), kMagenta);
        Cell cell = CellAt(bmp, x0, 0, 18, 16);
        EXPECT_GE(CountNot(cell, kMagenta), 60);
        EXPECT_EQ(CountNot(cell, kNavy), 18 * 16);
        icons.push_back(cell);
    }
    EXPECT_NE(icons[0], icons[1]);
    EXPECT_NE(icons[0], icons[2]);
    EXPECT_NE(icons[1], icons[2]);
}

// Cells of a strip or grid: the drawn ones distinct and not blank, the blank ones all background.
struct Grid {
    const char* file;
    int cellWidth;
    int cellHeight;
    std::vector<int> blankCells;
    Rgb background;
};

TEST(SkinBitmaps, LabelCellsAreDistinctAndBlankOnesEmpty) {
    const Grid grids[] = {
        {"state-labels.bmp", 32, 12, {13, 14, 15}, kBlack},  // row 3 holds OFF only
        {"device-kinds.bmp", 32, 12, {11}, kBlack},          // no device
        {"play-order.bmp", 32, 12, {}, kBlack},
        {"counter-digits.bmp", 5, 9, {}, kBlack},
        {"toggle-text.bmp", 15, 10, {}, kBlack},
        {"toggle-wrd.bmp", 15, 10, {}, kBlack},
    };
    for (const Grid& g : grids) {
        SCOPED_TRACE(g.file);
        Bitmap bmp = LoadBmp(g.file);
        ASSERT_FALSE(bmp.pixels.empty());
        const int across = bmp.width / g.cellWidth, down = bmp.height / g.cellHeight;
        std::set<Cell> drawn;
        int drawnCount = 0;
        for (int i = 0; i < across * down; ++i) {
            Cell cell = CellAt(bmp, (i % across) * g.cellWidth, (i / across) * g.cellHeight, g.cellWidth, g.cellHeight);
            bool blank = std::find(g.blankCells.begin(), g.blankCells.end(), i) != g.blankCells.end();
            if (blank) {
                EXPECT_EQ(CountNot(cell, g.background), 0) << "cell " << i;
            } else {
                EXPECT_GE(CountNot(cell, g.background), 5) << "cell " << i;
                drawn.insert(cell);
                ++drawnCount;
            }
        }
        // The PLAY frames differ from each other (an animation); so does every other label.
        EXPECT_EQ(static_cast<int>(drawn.size()), drawnCount);
    }
}

TEST(SkinBitmaps, ButtonFacesDifferBetweenRaisedAndPressed) {
    Bitmap up = LoadBmp("button-up.bmp");
    Bitmap down = LoadBmp("button-down.bmp");
    ASSERT_EQ(up.pixels.size(), down.pixels.size());
    EXPECT_NE(up.pixels, down.pixels);
    EXPECT_EQ(CountNot(up.pixels, kNavy), 38 * 16);  // opaque faces carry no key colour
}

TEST(SkinIcons, HoldA32And16PixelImage) {
    for (const char* file : {"icon-player.ico", "icon-text.ico", "icon-screen.ico"}) {
        SCOPED_TRACE(file);
        std::vector<std::uint8_t> d = ReadFile(file);
        ASSERT_GE(d.size(), 6u + 2 * 16u);
        EXPECT_EQ(Le16(d, 0), 0);
        EXPECT_EQ(Le16(d, 2), 1);  // icon, not cursor
        ASSERT_EQ(Le16(d, 4), 2);
        std::set<int> sizes;
        for (int i = 0; i < 2; ++i) {
            sizes.insert(d[6 + 16 * i]);
            EXPECT_EQ(d[6 + 16 * i], d[7 + 16 * i]);  // square
            EXPECT_LE(Le32(d, 6 + 16 * i + 12) + Le32(d, 6 + 16 * i + 8), d.size());
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 32}));
    }
}

}  // namespace
