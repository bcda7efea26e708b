// Loading and saving all settings: defaults, value types, round trips, the history and the format record.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "app/MemoryRegistry.h"
#include "app/SettingsKey.h"

namespace {

static_assert(std::has_unique_object_representations_v<Settings>, "settings are compared as bytes");

bool SameSettings(const Settings& a, const Settings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string KeyPath(const char* subKey) {
    return std::string(kSettingsBasePath) + "\\" + subKey;
}

std::string Strings(const StringList& list) {
    std::string joined;
    for (int i = 0; i < list.Count(); ++i) {
        joined += std::string(list.StringAt(i)) + "|";
    }
    return joined;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetActiveRegistry(&registry);
        ResetSettingsToDefaults();
    }
    void TearDown() override {
        ResetSettingsToDefaults();
        SetActiveRegistry(nullptr);
    }

    void Put(const char* subKey, const char* name, std::uint32_t type, const void* data, std::size_t size) {
        ASSERT_TRUE(
            registry.Put(kSettingsRoot, KeyPath(subKey).c_str(), name, type, data, static_cast<std::uint32_t>(size)));
    }
    const MemoryRegistry::Value* Find(const char* subKey, const char* name) {
        return registry.Find(kSettingsRoot, KeyPath(subKey).c_str(), name);
    }

    MemoryRegistry registry;
};

// Changes every variable the walk hands it, so that a save and load of the result shows that each value
// travels under its own name.
class PerturbingKey : public SettingsKey {
public:
    using SettingsKey::Int;
    int Open(RegRoot, const char*) override { return 1; }
    int Int(const char*, std::int32_t& variable) override {
        variable = static_cast<std::int32_t>(static_cast<std::uint32_t>(variable) * 3u + 1000u + ++calls);
        return 1;
    }
    int Block(const char*, void* buffer, std::uint32_t size) override {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        ++calls;
        for (std::uint32_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<std::uint8_t>(bytes[i] + i + calls);
        }
        return 1;
    }
    int SizedBlock(const char*, void* buffer, std::uint32_t, std::uint32_t) override {
        auto* format = static_cast<WaveFormatRecord*>(buffer);
        format->channels = 2;
        format->samplesPerSec = 44100 + ++calls;
        format->extraSize = 5;
        std::memcpy(format->extra, "extra", 5);
        return static_cast<int>(kWaveFormatHeaderBytes + 5);
    }
    int Text(const char* name, char* buffer, std::uint32_t size) override {
        std::snprintf(buffer, size, "%s-%d", name, ++calls);
        return 1;
    }
    int NumberedList(StringList& list) override {
        list.InsertString(-1, "C:\\曲\\one.mid");
        list.InsertString(-1, "two.rpl");
        ++calls;
        return 1;
    }
    int PackedList(const char*, StringList&) override { return 0; }

    int calls = 0;
};

// Collects every ranged number of the walk: the key it lives in, its name, the variable and
// what it may be.
class RangeCollector : public SettingsKey {
public:
    struct Entry {
        std::string path;
        std::string name;
        std::int32_t* variable;
        SettingRange range;
    };
    using SettingsKey::Int;
    int Open(RegRoot, const char* keyPath) override {
        path = keyPath;
        return 1;
    }
    int Int(const char*, std::int32_t&) override { return 1; }
    int Int(const char* name, std::int32_t& variable, SettingRange range) override {
        entries.push_back({path, name, &variable, range});
        return 1;
    }
    int Block(const char*, void*, std::uint32_t) override { return 1; }
    int SizedBlock(const char*, void*, std::uint32_t, std::uint32_t) override { return 1; }
    int Text(const char*, char*, std::uint32_t) override { return 1; }
    int NumberedList(StringList&) override { return 1; }
    int PackedList(const char*, StringList&) override { return 1; }

    std::string path;
    std::vector<Entry> entries;
};

TEST_F(SettingsTest, EveryStoredNumberAtItsExtremesLoadsWithinItsRange) {
    RangeCollector collector;
    ExchangeSettings(collector);
    ASSERT_GE(collector.entries.size(), 35u);
    const Settings defaults;
    const auto defaultOf = [&defaults](const std::int32_t* variable) {
        const auto offset = reinterpret_cast<const char*>(variable) - reinterpret_cast<const char*>(&gSettings);
        return *reinterpret_cast<const std::int32_t*>(reinterpret_cast<const char*>(&defaults) + offset);
    };
    const std::int32_t extremes[] = {0, -1, 2147483647, -2147483647 - 1, 1000, -1000};
    for (const std::int32_t extreme : extremes) {
        SCOPED_TRACE(extreme);
        registry.Clear();
        ResetSettingsToDefaults();
        SaveSettings();
        // Every number at once, as a damaged registry would have them, and a font of absurd size.
        for (const auto& entry : collector.entries) {
            registry.Put(kSettingsRoot, entry.path.c_str(), entry.name.c_str(), kRegDword, &extreme, 4);
        }
        LogFontRecord font = kDefaultPanelFont;
        font.width = extreme;
        font.height = extreme;
        Put("Player", "Font", kRegBinary, &font, sizeof font);
        ResetSettingsToDefaults();
        LoadSettings();
        for (const auto& entry : collector.entries) {
            const std::int32_t expected = entry.range.Holds(extreme) ? extreme : defaultOf(entry.variable);
            EXPECT_EQ(*entry.variable, expected) << entry.path << "\\" << entry.name;
        }
        const bool usableFont = extreme >= -500 && extreme <= 500;
        EXPECT_EQ(gSettings.player.Font.width, usableFont ? extreme : kDefaultPanelFont.width);
        EXPECT_EQ(gSettings.player.Font.height, usableFont ? extreme : kDefaultPanelFont.height);
    }
}

TEST_F(SettingsTest, FirstRunKeepsDefaultsAndFirstSaveCreatesEveryValueWithItsType) {
    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_TRUE(SameSettings(gSettings, Settings()));
    EXPECT_EQ(FileHistory.Count(), 0);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    EXPECT_EQ(SaveSettings(), 1);
    const struct {
        const char* key;
        const char* names;
        std::uint32_t type;
    } expected[] = {
        {"Player",
         "Player_x Player_y TopMost Text_x Text_y Text_Width Text_Height Wrd_x Wrd_y BootMode LastMode "
         "BootPlay BootSingle FlatWidth Form FixWindow MediaKeys",
         kRegDword},
        {"Player", "Font", kRegBinary},
        {"Directory", "List CD", kRegSz},
        {"Play",
         "TimerInterval BackLimit SeekStep SeekFastStep SeekInterval FilePlayMode CDPlayMode StopClose RcpLoops",
         kRegDword},
        {"File", "FilterIndex SaveSong LastSong TextOpen TextClose WrdView WrdOpen", kRegDword},
        {"File", "LastDirectory ListEditLastDirectory ListEditLastWildCard", kRegSz},
        {"CD", "LastDrive", kRegSz},
        {"Wave", "SelfPlay DeviceID BufferSize", kRegDword},
        {"Volume", "CD_Volume_ID Wave_Volume_ID MIDI_Volume_ID", kRegDword},
        {"Record", "Record_x Record_y DeviceID BufferSize Mode", kRegDword},
        {"Record", "Format", kRegBinary},
        {"Record", "LastDirectory_Single LastDirectory_Multi", kRegSz},
    };
    std::size_t total = 0;
    for (const auto& group : expected) {
        char names[256];
        std::snprintf(names, sizeof names, "%s", group.names);
        for (char* name = std::strtok(names, " "); name; name = std::strtok(nullptr, " ")) {
            const MemoryRegistry::Value* value = Find(group.key, name);
            ASSERT_NE(value, nullptr) << group.key << "\\" << name;
            EXPECT_EQ(value->type, group.type) << name;
            ++total;
        }
    }
    std::size_t stored = 0;
    for (const char* key : {"Player", "Directory", "Play", "File", "CD", "Wave", "Volume", "Record"}) {
        stored += registry.ValueNames(kSettingsRoot, KeyPath(key).c_str()).size();
    }
    EXPECT_EQ(stored, total);
    EXPECT_TRUE(registry.KeyExists(kSettingsRoot, KeyPath("File\\History").c_str()));
    EXPECT_EQ(Find("Player", "Font")->data.size(), 60u);
    EXPECT_EQ(Find("Record", "Format")->data.size(), 18u);
    EXPECT_EQ(Find("File", "ListEditLastWildCard")->data, std::vector<std::uint8_t>({'*', '.', '*', 0}));

    ResetSettingsToDefaults();
    EXPECT_EQ(LoadSettings(), 1);
    EXPECT_TRUE(SameSettings(gSettings, Settings()));
}

TEST_F(SettingsTest, EveryValueRoundTripsUnderItsOwnName) {
    PerturbingKey perturbing;
    ExchangeSettings(perturbing);
    const Settings changed = gSettings;
    ASSERT_FALSE(SameSettings(changed, Settings()));
    EXPECT_EQ(perturbing.calls, 55);

    ASSERT_EQ(SaveSettings(), 1);
    ResetSettingsToDefaults();
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_TRUE(SameSettings(gSettings, changed));
    EXPECT_EQ(Strings(FileHistory), "C:\\曲\\one.mid|two.rpl|");
}

TEST_F(SettingsTest, HistoryOfThreeSavedOverFiveDeletesTheRest) {
    for (const char* name : {"0000", "0001", "0002", "0003", "0004"}) {
        Put("File\\History", name, kRegSz, "old", 4);
    }
    for (const char* song : {"a.mid", "b.wav", "c.rpl"}) {
        FileHistory.InsertString(-1, song);
    }
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(registry.ValueNames(kSettingsRoot, KeyPath("File\\History").c_str()),
              std::vector<std::string>({"0000", "0001", "0002"}));
    ResetSettingsToDefaults();
    LoadSettings();
    EXPECT_EQ(Strings(FileHistory), "a.mid|b.wav|c.rpl|");
}

TEST_F(SettingsTest, HistoryWithAGapLoadsOnlyWhatComesBeforeIt) {
    Put("File\\History", "0000", kRegSz, "first", 6);
    Put("File\\History", "0002", kRegSz, "third", 6);
    LoadSettings();
    EXPECT_EQ(Strings(FileHistory), "first|");
}

TEST_F(SettingsTest, FormatWithExtraBytesIsStoredAtItsLengthAndLoadsBackWhole) {
    WaveFormatRecord& format = gSettings.record.Format;
    format.formatTag = 0x55;
    format.extraSize = 32;
    for (int i = 0; i < 32; ++i) {
        format.extra[i] = static_cast<std::uint8_t>(i + 1);
    }
    const WaveFormatRecord saved = format;
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(Find("Record", "Format")->data.size(), 50u);

    ResetSettingsToDefaults();
    LoadSettings();
    EXPECT_EQ(std::memcmp(&gSettings.record.Format, &saved, sizeof saved), 0);
}

TEST_F(SettingsTest, FormatClaimingMoreThanItsAreaIsWrittenOnlyUpToTheArea) {
    gSettings.record.Format.extraSize = 0xFFFF;
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(Find("Record", "Format")->data.size(), kWaveFormatAreaBytes);
    EXPECT_EQ(gSettings.record.Format.extraSize, kWaveFormatMaxExtraBytes);
}

TEST_F(SettingsTest, LoadedFormatNeverClaimsMoreThanWasStored) {
    const struct {
        std::size_t length;
        std::uint16_t claimed;
        std::uint16_t expectedExtra;
        std::uint16_t expectedTag;
    } cases[] = {
        {17, 0, 0, kWaveFormatPcm},  // too short for the header: the default stays
        {18, 0, 0, 2},
        {20, 2, 2, 2},
        {20, 40, 2, 2},
        {kWaveFormatAreaBytes, 0xFFFF, kWaveFormatMaxExtraBytes, 2},
        {kWaveFormatAreaBytes + 1, 0, 0, kWaveFormatPcm},  // larger than the area
    };
    for (const auto& c : cases) {
        std::string bytes(c.length, '\x7F');
        bytes[0] = 2;
        bytes[1] = 0;
        if (c.length >= kWaveFormatHeaderBytes) {
            bytes[16] = static_cast<char>(c.claimed & 0xFF);
            bytes[17] = static_cast<char>(c.claimed >> 8);
        }
        Put("Record", "Format", kRegBinary, bytes.data(), bytes.size());
        ResetSettingsToDefaults();
        LoadSettings();
        const WaveFormatRecord& format = gSettings.record.Format;
        EXPECT_EQ(format.formatTag, c.expectedTag) << c.length;
        EXPECT_EQ(format.extraSize, c.expectedExtra) << c.length;
        if (format.extraSize < kWaveFormatMaxExtraBytes) {
            EXPECT_EQ(format.extra[format.extraSize], 0) << c.length;
        }
    }
}

TEST_F(SettingsTest, WrongTypedOrOversizedValuesKeepTheirDefaults) {
    const std::string longPath(kPathBytes, 'x');
    const std::int32_t number = 5;
    Put("Player", "Player_x", kRegSz, "12", 3);
    Put("Player", "TopMost", kRegBinary, &number, 4);
    Put("Player", "Font", kRegBinary, "short", 5);
    Put("Directory", "List", kRegDword, &number, 4);
    Put("Directory", "CD", kRegSz, longPath.c_str(), longPath.size() + 1);
    Put("File", "ListEditLastWildCard", kRegSz, longPath.data(), longPath.size());
    Put("Record", "Format", kRegSz, "format", 7);
    Put("Volume", "CD_Volume_ID", kRegDword, &number, 4);
    LoadSettings();

    Settings expected;
    expected.volume.CD_Volume_ID = 5;
    EXPECT_TRUE(SameSettings(gSettings, expected));
}

TEST_F(SettingsTest, FaceNameFillingItsFieldIsCutInsideIt) {
    LogFontRecord font = kDefaultPanelFont;
    std::memset(font.faceName, 'F', sizeof font.faceName);
    font.faceName[30] = '\x82';  // a lead byte whose trail byte would be the last one of the field
    Put("Player", "Font", kRegBinary, &font, sizeof font);
    LoadSettings();
    EXPECT_EQ(std::string(gSettings.player.Font.faceName), std::string(30, 'F'));
}

TEST_F(SettingsTest, KeyThatCannotOpenKeepsDefaultsAndSavesNothing) {
    const std::int32_t interval = 20;
    const std::int32_t x = 300;
    Put("Play", "TimerInterval", kRegDword, &interval, 4);
    Put("Player", "Player_x", kRegDword, &x, 4);
    registry.FailKey(KeyPath("Play").c_str());

    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_EQ(gSettings.play.TimerInterval, 50);
    EXPECT_EQ(gSettings.player.Player_x, 300);

    gSettings.play.SeekStep = 500;
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(Find("Play", "SeekStep"), nullptr);
    EXPECT_NE(Find("Record", "Mode"), nullptr);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

}  // namespace
