// A small MAG encoder for the tests: turns a pixel grid into MAG bytes, with copy flags where a unit
// repeats an earlier one of the image, so the decoder's flag and copy paths are all exercised.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct MagImage {
    // Header coordinates as stored; the grid covers x start & ~7 .. (x end & ~7) + 7.
    int xStart = 0;
    int yStart = 0;
    int xEnd = 7;
    int yEnd = 0;
    std::uint8_t screenMode = 0;
    std::vector<std::vector<std::uint8_t>> rows;        // palette indices
    std::array<std::array<std::uint8_t, 3>, 16> rgb{};  // red, green, blue per index
    bool useCopies = true;
    int forceNibble = -1;  // every unit gets this flag nibble when 0-15
    std::string comment = "melodrix test";
};

// Offsets of the parts, counted from the start of the file.
struct MagLayout {
    std::size_t headerStart = 0;
    std::size_t flagA = 0;
    std::size_t flagB = 0;
    std::size_t pixels = 0;
};

inline void PutLe16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLe32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    PutLe16(out, at, value & 0xFFFF);
    PutLe16(out, at + 2, value >> 16);
}

inline std::vector<std::uint8_t> EncodeMag(const MagImage& image, MagLayout* layout = nullptr) {
    static const int kFrom[16][2] = {{0, 0},   {-1, 0}, {-2, 0},  {-4, 0},  {0, -1}, {-1, -1}, {0, -2},  {-1, -2},
                                     {-2, -2}, {0, -4}, {-1, -4}, {-2, -4}, {0, -8}, {-1, -8}, {-2, -8}, {0, -16}};
    const int height = static_cast<int>(image.rows.size());
    const int units = height > 0 ? static_cast<int>(image.rows[0].size()) / 4 : 0;
    auto unitAt = [&](int u, int y) {
        const auto& row = image.rows[y];
        return std::array<std::uint8_t, 4>{row[4 * u], row[4 * u + 1], row[4 * u + 2], row[4 * u + 3]};
    };
    std::vector<std::uint8_t> flagA;
    std::vector<std::uint8_t> flagB;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> previous(units / 2, 0);
    int bit = 0;
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> line(units / 2, 0);
        for (int u = 0; u < units; ++u) {
            int nibble = image.forceNibble;
            if (nibble < 0) {
                nibble = 0;
                for (int n = 1; n < 16 && image.useCopies; ++n) {
                    const int su = u + kFrom[n][0];
                    const int sy = y + kFrom[n][1];
                    if (su >= 0 && sy >= 0 && unitAt(su, sy) == unitAt(u, y)) {
                        nibble = n;
                        break;
                    }
                }
            }
            line[u / 2] |= static_cast<std::uint8_t>((u & 1) ? nibble : nibble << 4);
            if (nibble == 0) {
                const auto p = unitAt(u, y);
                pixels.push_back(static_cast<std::uint8_t>(p[0] << 4 | p[1]));
                pixels.push_back(static_cast<std::uint8_t>(p[2] << 4 | p[3]));
            }
        }
        for (int i = 0; i < units / 2; ++i) {
            const std::uint8_t change = line[i] ^ previous[i];
            if (bit % 8 == 0) {
                flagA.push_back(0);
            }
            if (change != 0) {
                flagA.back() |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
                flagB.push_back(change);
            }
            ++bit;
        }
        previous = line;
    }
    std::vector<std::uint8_t> out = {'M', 'A', 'K', 'I', '0', '2', ' ', ' '};
    out.insert(out.end(), image.comment.begin(), image.comment.end());
    const std::size_t header = out.size();
    out.resize(header + 32 + 48, 0);
    out[header + 3] = image.screenMode;
    PutLe16(out, header + 4, image.xStart);
    PutLe16(out, header + 6, image.yStart);
    PutLe16(out, header + 8, image.xEnd);
    PutLe16(out, header + 10, image.yEnd);
    const std::uint32_t flagAOffset = 80;
    const auto flagBOffset = static_cast<std::uint32_t>(flagAOffset + flagA.size());
    const auto pixelOffset = static_cast<std::uint32_t>(flagBOffset + flagB.size());
    PutLe32(out, header + 12, flagAOffset);
    PutLe32(out, header + 16, flagBOffset);
    PutLe32(out, header + 20, static_cast<std::uint32_t>(flagB.size()));
    PutLe32(out, header + 24, pixelOffset);
    PutLe32(out, header + 28, static_cast<std::uint32_t>(pixels.size()));
    for (int i = 0; i < 16; ++i) {
        out[header + 32 + 3 * i] = image.rgb[i][1];  // green, red, blue
        out[header + 33 + 3 * i] = image.rgb[i][0];
        out[header + 34 + 3 * i] = image.rgb[i][2];
    }
    out.insert(out.end(), flagA.begin(), flagA.end());
    out.insert(out.end(), flagB.begin(), flagB.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    if (layout) {
        *layout = MagLayout{header, header + flagAOffset, header + flagBOffset, header + pixelOffset};
    }
    return out;
}
