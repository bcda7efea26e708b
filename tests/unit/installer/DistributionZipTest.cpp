// The distribution zip that the Windows build's "dist" target makes holds exactly the files the
// installer copies, plus the installer itself. Skipped until that zip exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "installer/InstallerNames.h"

namespace {

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

// The names in a zip's central directory; empty when the file is no zip.
std::vector<std::string> ZipNames(const std::vector<std::uint8_t>& zip) {
    std::vector<std::string> names;
    if (zip.size() < 22) {
        return names;
    }
    // The end record is the last 22 bytes unless the archive carries a comment.
    std::size_t end = zip.size() - 22;
    while (end > 0 && Little(zip, end, 4) != 0x06054B50) {
        --end;
    }
    if (Little(zip, end, 4) != 0x06054B50) {
        return names;
    }
    const std::uint32_t count = Little(zip, end + 10, 2);
    std::size_t at = Little(zip, end + 16, 4);
    for (std::uint32_t i = 0; i < count && at + 46 <= zip.size() && Little(zip, at, 4) == 0x02014B50; ++i) {
        const std::size_t nameLength = Little(zip, at + 28, 2);
        const std::size_t skip = Little(zip, at + 30, 2) + Little(zip, at + 32, 2);
        names.emplace_back(zip.begin() + static_cast<std::ptrdiff_t>(at + 46),
                           zip.begin() + static_cast<std::ptrdiff_t>(at + 46 + nameLength));
        at += 46 + nameLength + skip;
    }
    return names;
}

TEST(DistributionZip, HoldsTheInstallerAndEveryFileItCopies) {
    std::ifstream in(MX_DIST_ZIP, std::ios::binary);
    if (!in) {
        GTEST_SKIP() << MX_DIST_ZIP << " not made yet (ninja -C build/win dist)";
    }
    const std::vector<std::uint8_t> zip{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> names = ZipNames(zip);
    // Folder entries are not files.
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return n.back() == '/'; }),
                names.end());
    std::sort(names.begin(), names.end());

    // The help file exists only where the build found the HTML Help compiler; the dist step
    // warns when it goes without it, and then so does this test.
    const bool helpBuilt = std::ifstream(MX_WIN_BIN "/Melodrix.chm").good();
    std::vector<std::string> expected = {kInstallerFileName};
    for (const DistributionFile& file : kDistributionFiles) {
        if (helpBuilt || std::string(file.sourceName) != "Melodrix.chm") {
            expected.push_back(file.sourceName);
        }
    }
    if (!helpBuilt) {
        std::printf("note: %s/Melodrix.chm was not built, so the zip is checked without the help file\n", MX_WIN_BIN);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

}  // namespace
