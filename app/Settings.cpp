// The settings variables and the one walk that loads and saves them all.
#include "app/Settings.h"

#include <cstdio>
#include <cstring>

#include "app/SettingsKey.h"
#include "app/SettingsKeyReader.h"
#include "app/SettingsKeyWriter.h"
#include "app/containers/ShiftJis.h"

Settings gSettings;
StringList FileHistory;

namespace {

// What each stored number may be. Positions are checked against the desktop where they are used;
// here they only have to be screen numbers.
constexpr SettingRange kSwitch{0, 1};
constexpr SettingRange kScreenPosition{-32768, 32767};
constexpr SettingRange kWindowExtent{0, 32767};
constexpr SettingRange kBootModes{0, 2};
constexpr SettingRange kPlayModes{1, 2};
constexpr SettingRange kForms{0, 1};
constexpr SettingRange kTimerIntervals{0, 2147483647};  // ms; 0 and large values are corrected where used
constexpr SettingRange kBackLimits{-1, 3600000};        // ms; negative: always the previous song
constexpr SettingRange kSeekSteps{1, 3600000};          // ms
constexpr SettingRange kSeekIntervals{1, 1000};         // timer ticks
constexpr SettingRange kPlayOrders{0, 3};
constexpr SettingRange kRcpLoops{1, 99};
constexpr SettingRange kFilterIndexes{1, 7};
constexpr SettingRange kListPositions{0, 2147483647};
constexpr SettingRange kDeviceIds{-1, 255};      // -1: the system's mapper
constexpr SettingRange kBufferCounts{1, 65535};  // clamped further by their users
constexpr SettingRange kRecordModes{1, 4};

// The font record's numbers, as a font can have them.
bool IsUsableFont(const LogFontRecord& font) {
    const SettingRange size{-500, 500};
    const SettingRange weight{0, 1000};
    const SettingRange angle{-3600, 3600};
    return size.Holds(font.height) && size.Holds(font.width) && weight.Holds(font.weight) &&
           angle.Holds(font.escapement) && angle.Holds(font.orientation);
}

int OpenSubKey(SettingsKey& key, const char* subKey) {
    char path[kPathBytes];
    std::snprintf(path, sizeof path, "%s\\%s", kSettingsBasePath, subKey);
    return key.Open(kSettingsRoot, path);
}

int ExchangeFont(SettingsKey& key, LogFontRecord& font) {
    const LogFontRecord before = font;
    const int result = key.Block("Font", &font, sizeof font);
    if (!IsUsableFont(font)) {
        font = before;  // a font near 2^31 pixels wide hangs every text drawn with it
        return result;
    }
    // The face name is used as a C string: a stored one that fills its field is cut to end inside it.
    if (!std::memchr(font.faceName, '\0', kFaceNameBytes)) {
        char face[kFaceNameBytes + 1] = {};
        std::memcpy(face, font.faceName, kFaceNameBytes);
        const std::size_t length = ShiftJisFitLength(face, kFaceNameBytes, kFaceNameBytes - 1);
        std::memset(font.faceName + length, 0, kFaceNameBytes - length);
    }
    return result;
}

int ExchangeFormat(SettingsKey& key, WaveFormatRecord& format) {
    WaveFormatRecord exchanged = format;
    const int bytes = key.SizedBlock("Format", &exchanged, WaveFormatStoredBytes(format), sizeof exchanged);
    if (bytes < static_cast<int>(kWaveFormatHeaderBytes)) {
        return 0;
    }
    // The record claims no more extra bytes than were really stored (or fit the area), so nothing that
    // trusts its extra size reads past them; the unused rest of the area is cleared.
    const std::uint32_t available = static_cast<std::uint32_t>(bytes) - kWaveFormatHeaderBytes;
    const std::uint32_t extra = exchanged.extraSize < available ? exchanged.extraSize : available;
    exchanged.extraSize = static_cast<std::uint16_t>(extra);
    std::memset(exchanged.extra + extra, 0, kWaveFormatMaxExtraBytes - extra);
    format = exchanged;
    return 1;
}

}  // namespace

void ResetSettingsToDefaults() {
    gSettings = Settings();
    FileHistory.Clear();
}

// One long function on purpose: it is the only list of the settings, in registry order, and both
// directions walk it, so a setting can never be loaded but not saved.
int ExchangeSettings(SettingsKey& key) {
    bool ok = true;
    auto done = [&ok](int result) { ok = ok && result != 0; };

    Settings::Player& player = gSettings.player;
    done(OpenSubKey(key, "Player"));
    done(key.Int("Player_x", player.Player_x, kScreenPosition));
    done(key.Int("Player_y", player.Player_y, kScreenPosition));
    done(key.Int("TopMost", player.TopMost, kSwitch));
    done(key.Int("Text_x", player.Text_x, kScreenPosition));
    done(key.Int("Text_y", player.Text_y, kScreenPosition));
    done(key.Int("Text_Width", player.Text_Width, kWindowExtent));
    done(key.Int("Text_Height", player.Text_Height, kWindowExtent));
    done(key.Int("Wrd_x", player.Wrd_x, kScreenPosition));
    done(key.Int("Wrd_y", player.Wrd_y, kScreenPosition));
    done(key.Int("BootMode", player.BootMode, kBootModes));
    done(key.Int("LastMode", player.LastMode, kPlayModes));
    done(key.Int("BootPlay", player.BootPlay, kSwitch));
    done(key.Int("BootSingle", player.BootSingle, kSwitch));
    done(ExchangeFont(key, player.Font));
    done(key.Int("FlatWidth", player.FlatWidth, kWindowExtent));
    done(key.Int("Form", player.Form, kForms));
    done(key.Int("FixWindow", player.FixWindow, kSwitch));
    done(key.Int("MediaKeys", player.MediaKeys, kSwitch));
    key.Close();

    Settings::Directory& directory = gSettings.directory;
    done(OpenSubKey(key, "Directory"));
    done(key.Text("List", directory.List, sizeof directory.List));
    done(key.Text("CD", directory.CD, sizeof directory.CD));
    key.Close();

    Settings::Play& play = gSettings.play;
    done(OpenSubKey(key, "Play"));
    done(key.Int("TimerInterval", play.TimerInterval, kTimerIntervals));
    done(key.Int("BackLimit", play.BackLimit, kBackLimits));
    done(key.Int("SeekStep", play.SeekStep, kSeekSteps));
    done(key.Int("SeekFastStep", play.SeekFastStep, kSeekSteps));
    done(key.Int("SeekInterval", play.SeekInterval, kSeekIntervals));
    done(key.Int("FilePlayMode", play.FilePlayMode, kPlayOrders));
    done(key.Int("CDPlayMode", play.CDPlayMode, kPlayOrders));
    done(key.Int("StopClose", play.StopClose, kSwitch));
    done(key.Int("RcpLoops", play.RcpLoops, kRcpLoops));
    key.Close();

    Settings::File& file = gSettings.file;
    done(OpenSubKey(key, "File"));
    done(key.Text("LastDirectory", file.LastDirectory, sizeof file.LastDirectory));
    done(key.Int("FilterIndex", file.FilterIndex, kFilterIndexes));
    done(key.Text("ListEditLastDirectory", file.ListEditLastDirectory, sizeof file.ListEditLastDirectory));
    done(key.Text("ListEditLastWildCard", file.ListEditLastWildCard, sizeof file.ListEditLastWildCard));
    done(key.Int("SaveSong", file.SaveSong, kSwitch));
    done(key.Int("LastSong", file.LastSong, kListPositions));
    done(key.Int("TextOpen", file.TextOpen, kSwitch));
    done(key.Int("TextClose", file.TextClose, kSwitch));
    done(key.Int("WrdView", file.WrdView, kSwitch));
    done(key.Int("WrdOpen", file.WrdOpen, kSwitch));
    key.Close();

    done(OpenSubKey(key, "File\\History"));
    done(key.NumberedList(FileHistory));
    key.Close();

    Settings::Cd& cd = gSettings.cd;
    done(OpenSubKey(key, "CD"));
    done(key.Text("LastDrive", cd.LastDrive, sizeof cd.LastDrive));
    key.Close();

    Settings::Wave& wave = gSettings.wave;
    done(OpenSubKey(key, "Wave"));
    done(key.Int("SelfPlay", wave.SelfPlay, kSwitch));
    done(key.Int("DeviceID", wave.DeviceID, kDeviceIds));
    done(key.Int("BufferSize", wave.BufferSize, kBufferCounts));
    key.Close();

    Settings::Volume& volume = gSettings.volume;
    done(OpenSubKey(key, "Volume"));
    done(key.Int("CD_Volume_ID", volume.CD_Volume_ID));
    done(key.Int("Wave_Volume_ID", volume.Wave_Volume_ID));
    done(key.Int("MIDI_Volume_ID", volume.MIDI_Volume_ID));
    key.Close();

    Settings::Record& record = gSettings.record;
    done(OpenSubKey(key, "Record"));
    done(key.Int("Record_x", record.Record_x, kScreenPosition));
    done(key.Int("Record_y", record.Record_y, kScreenPosition));
    done(key.Int("DeviceID", record.DeviceID, kDeviceIds));
    done(key.Int("BufferSize", record.BufferSize, kBufferCounts));
    done(ExchangeFormat(key, record.Format));
    done(key.Text("LastDirectory_Single", record.LastDirectory_Single, sizeof record.LastDirectory_Single));
    done(key.Text("LastDirectory_Multi", record.LastDirectory_Multi, sizeof record.LastDirectory_Multi));
    done(key.Int("Mode", record.Mode, kRecordModes));
    key.Close();

    return ok ? 1 : 0;
}

int LoadSettings() {
    SettingsKeyReader key;
    return ExchangeSettings(key);
}

int SaveSettings() {
    SettingsKeyWriter key;
    return ExchangeSettings(key);
}
