// The control files of Recomposer songs: .CM6 and .GSD setups as Roland messages, and their place
// before the song's first note.
#include "songfiles/RcpControlFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "songfiles/RcpConverter.h"
#include "tests/support/RcpSongBuilder.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A .CM6 file of the given kind whose every data byte is its offset's low seven bits.
std::string Cm6File(const std::string& kind) {
    std::string file(0x5849, '\0');
    for (std::size_t i = 0x80; i < file.size(); ++i) {
        file[i] = static_cast<char>(i & 0x7F);
    }
    file.replace(0, 16, std::string("COME ON MUSIC\0\0\0", 16));
    file.replace(0x10, kind.size(), kind);
    return file;
}

std::string GsdFile() {
    std::string file(0xA71, '\0');
    for (std::size_t i = 0x20; i < file.size(); ++i) {
        file[i] = static_cast<char>((i * 7) & 0x7F);
    }
    file.replace(0, 14, std::string("COME ON MUSIC\0", 14));
    file.replace(0x0E, 14, "GS CONTROL 1.0");
    file[0x0A6E] = 0x00;  // master fine tuning 0x2000: none
    file[0x0A6F] = 0x20;
    return file;
}

std::vector<SetupMessage> Messages(const std::string& file, bool gsd) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.data());
    return gsd ? GsdSetupMessages(data, file.size()) : Cm6SetupMessages(data, file.size());
}

// The message written to an address, or none.
const SetupMessage* At(const std::vector<SetupMessage>& messages, std::uint8_t model, Bytes address) {
    for (const SetupMessage& message : messages) {
        if (message.bytes.size() > 8 && message.bytes[3] == model &&
            Bytes(message.bytes.begin() + 5, message.bytes.begin() + 8) == address) {
            return &message;
        }
    }
    return nullptr;
}

TEST(RcpControlFiles, Cm6AreasGoToTheirAddressesInChunks) {
    const auto mt32 = Messages(Cm6File("R MT-32   "), false);
    const auto cm64 = Messages(Cm6File(std::string("R CM-64   \x03", 11)), false);
    // MT-32 areas: 0x17 + 0x90 + 0x154 + 0x7B0 + 0x400 + 0x4000 bytes in chunks of 128.
    EXPECT_EQ(mt32.size(), 1u + 2 + 3 + 16 + 8 + 128);
    EXPECT_EQ(cm64.size(), mt32.size() + 1 + 19 + 1);  // 0x7E, 0x980, 0x11 bytes
    // The system area: F0 41 10 16 12 10 00 00, its 23 bytes, checksum, F7.
    const SetupMessage* system = At(mt32, 0x16, {0x10, 0x00, 0x00});
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->bytes.size(), 10u + 0x17);
    EXPECT_EQ(system->bytes[8], 0x00);  // offset 0x80
    // The second chunk of the timbre temporary area starts 128 bytes on: 04 01 00.
    const SetupMessage* timbre = At(mt32, 0x16, {0x04, 0x01, 0x00});
    ASSERT_NE(timbre, nullptr);
    EXPECT_EQ(timbre->bytes[8], (0x284 + 128) & 0x7F);
    EXPECT_EQ(At(mt32, 0x16, {0x50, 0x00, 0x00}), nullptr);
    EXPECT_NE(At(cm64, 0x16, {0x50, 0x00, 0x00}), nullptr);
    for (const SetupMessage& message : cm64) {
        EXPECT_EQ(message.pauseMs, SetupPauseMs(message.bytes.size()));
        unsigned sum = 0;
        for (std::size_t i = 5; i + 1 < message.bytes.size(); ++i) {
            sum += message.bytes[i];
        }
        EXPECT_EQ(sum % 128, 0u) << "checksum";
    }
}

TEST(RcpControlFiles, GsdStartsWithAResetAndSendsEveryPart) {
    const auto messages = Messages(GsdFile(), true);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].bytes, (Bytes{0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7}));
    EXPECT_EQ(messages[0].pauseMs, 50u);
    const SetupMessage* tune = At(messages, 0x42, {0x40, 0x00, 0x00});
    ASSERT_NE(tune, nullptr);
    EXPECT_EQ(Bytes(tune->bytes.begin() + 8, tune->bytes.begin() + 12), (Bytes{0x00, 0x04, 0x00, 0x00}));
    // Channel 1 is part block 1, channel 10 block 0.
    const SetupMessage* part1 = At(messages, 0x42, {0x40, 0x11, 0x00});
    const SetupMessage* part10 = At(messages, 0x42, {0x40, 0x10, 0x00});
    ASSERT_NE(part1, nullptr);
    ASSERT_NE(part10, nullptr);
    EXPECT_EQ(part1->bytes[8], (0x36 * 7) & 0x7F);
    EXPECT_EQ(part10->bytes[8], ((0x36 + 9 * 0x7A) * 7) & 0x7F);
    EXPECT_EQ(part1->bytes.size(), 10u + 0x23);
    // Drum map 2's chorus levels from key 27.
    EXPECT_NE(At(messages, 0x42, {0x41, 0x14, 27}), nullptr);
    EXPECT_NE(At(messages, 0x42, {0x40, 0x01, 0x10}), nullptr);  // voice reserve
}

TEST(RcpControlFiles, FilesThatAreNotSetupsSendNothing) {
    std::string shortCm6 = Cm6File("R MT-32   ");
    shortCm6.pop_back();
    std::string wrongGsd = GsdFile();
    wrongGsd[0x0E] = 'X';
    EXPECT_TRUE(Messages(shortCm6, false).empty());
    EXPECT_TRUE(Messages(wrongGsd, true).empty());
    EXPECT_TRUE(Messages(GsdFile().substr(0, 0xA70), true).empty());
    EXPECT_TRUE(Messages("", false).empty());
}

TEST(RcpControlFiles, SetupIsSpacedBeforeTheSongWhichStartsLater) {
    MemoryFileSystem files;
    ScopedFileSystem scoped(files);
    RcpSongBuilder song;
    song.timebase = 48;  // the setup runs at 48000 us a quarter: 1 ms a tick
    song.gsdName = "setup.gsd";
    song.cm6Name = "MISSING.CM6";
    song.AddTrack(0).events = song.Note(60, 10, 5, 100) + song.End();
    files.AddFile("C:\\Songs\\song.rcp", song.Build());
    files.AddFile("C:\\Songs\\SETUP.GSD", GsdFile());

    RcpConversion conversion;
    ASSERT_EQ(ConvertRcpFile("C:\\Songs\\song.rcp", RcpConvertOptions(), conversion), RcpReadResult::kOk);
    const auto setup = Messages(GsdFile(), true);
    std::uint32_t expectedLeadIn = 0;
    for (const SetupMessage& message : setup) {
        expectedLeadIn += message.pauseMs;
    }
    EXPECT_EQ(conversion.leadInTicks, expectedLeadIn);

    const auto events = ReadSmfEvents(conversion.smf);
    std::vector<std::uint32_t> exclusiveTicks;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;
    std::uint32_t noteTick = 0;
    for (const SmfEventRecord& event : events) {
        if (event.track == 0 && event.bytes[0] == 0xF0) {
            exclusiveTicks.push_back(event.tick);
        } else if (event.bytes[0] == 0xFF && event.bytes[1] == 0x51) {
            tempos.emplace_back(event.tick, (event.bytes[2] << 16) | (event.bytes[3] << 8) | event.bytes[4]);
        } else if (event.bytes[0] == 0x90 && event.bytes[2] != 0) {
            noteTick = event.tick;
        }
    }
    ASSERT_EQ(exclusiveTicks.size(), setup.size());
    for (std::size_t i = 1; i < setup.size(); ++i) {
        EXPECT_EQ(exclusiveTicks[i] - exclusiveTicks[i - 1], setup[i - 1].pauseMs);
    }
    EXPECT_EQ(tempos, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{0, 48000}, {expectedLeadIn, 500000}}));
    EXPECT_EQ(noteTick, expectedLeadIn);
}

TEST(RcpControlFiles, ASongWithoutItsControlFilesStartsAtOnce) {
    MemoryFileSystem files;
    ScopedFileSystem scoped(files);
    RcpSongBuilder song(RcpLayout::kV3);
    song.gsdName = "GONE.GSD";
    song.AddTrack(0).events = song.Note(60, 10, 5, 100) + song.End();
    files.AddFile("C:\\Songs\\song.g36", song.Build());
    RcpConversion conversion;
    ASSERT_EQ(ConvertRcpFile("C:\\Songs\\song.g36", RcpConvertOptions(), conversion), RcpReadResult::kOk);
    EXPECT_EQ(conversion.leadInTicks, 0u);
    EXPECT_EQ(ConvertRcpFile("C:\\Songs\\none.rcp", RcpConvertOptions(), conversion), RcpReadResult::kNotRecomposer);
}

}  // namespace
