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

int OpenSubKey(SettingsKey& key, const char* subKey) {
    char path[kPathBytes];
    std::snprintf(path, sizeof path, "%s\\%s", kSettingsBasePath, subKey);
    return key.Open(kSettingsRoot, path);
}

int ExchangeFont(SettingsKey& key, LogFontRecord& font) {
    const int result = key.Block("Font", &font, sizeof font);
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
    done(key.Int("Player_x", player.Player_x));
    done(key.Int("Player_y", player.Player_y));
    done(key.Int("TopMost", player.TopMost));
    done(key.Int("Text_x", player.Text_x));
    done(key.Int("Text_y", player.Text_y));
    done(key.Int("Text_Width", player.Text_Width));
    done(key.Int("Text_Height", player.Text_Height));
    done(key.Int("Wrd_x", player.Wrd_x));
    done(key.Int("Wrd_y", player.Wrd_y));
    done(key.Int("BootMode", player.BootMode));
    done(key.Int("LastMode", player.LastMode));
    done(key.Int("BootPlay", player.BootPlay));
    done(key.Int("BootSingle", player.BootSingle));
    done(ExchangeFont(key, player.Font));
    done(key.Int("FlatWidth", player.FlatWidth));
    done(key.Int("Form", player.Form));
    done(key.Int("FixWindow", player.FixWindow));
    key.Close();

    Settings::Directory& directory = gSettings.directory;
    done(OpenSubKey(key, "Directory"));
    done(key.Text("List", directory.List, sizeof directory.List));
    done(key.Text("CD", directory.CD, sizeof directory.CD));
    key.Close();

    Settings::Play& play = gSettings.play;
    done(OpenSubKey(key, "Play"));
    done(key.Int("TimerInterval", play.TimerInterval));
    done(key.Int("BackLimit", play.BackLimit));
    done(key.Int("SeekStep", play.SeekStep));
    done(key.Int("SeekFastStep", play.SeekFastStep));
    done(key.Int("SeekInterval", play.SeekInterval));
    done(key.Int("FilePlayMode", play.FilePlayMode));
    done(key.Int("CDPlayMode", play.CDPlayMode));
    done(key.Int("StopClose", play.StopClose));
    key.Close();

    Settings::File& file = gSettings.file;
    done(OpenSubKey(key, "File"));
    done(key.Text("LastDirectory", file.LastDirectory, sizeof file.LastDirectory));
    done(key.Int("FilterIndex", file.FilterIndex));
    done(key.Text("ListEditLastDirectory", file.ListEditLastDirectory, sizeof file.ListEditLastDirectory));
    done(key.Text("ListEditLastWildCard", file.ListEditLastWildCard, sizeof file.ListEditLastWildCard));
    done(key.Int("SaveSong", file.SaveSong));
    done(key.Int("LastSong", file.LastSong));
    done(key.Int("TextOpen", file.TextOpen));
    done(key.Int("TextClose", file.TextClose));
    done(key.Int("WrdView", file.WrdView));
    done(key.Int("WrdOpen", file.WrdOpen));
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
    done(key.Int("SelfPlay", wave.SelfPlay));
    done(key.Int("DeviceID", wave.DeviceID));
    done(key.Int("BufferSize", wave.BufferSize));
    key.Close();

    Settings::Volume& volume = gSettings.volume;
    done(OpenSubKey(key, "Volume"));
    done(key.Int("CD_Volume_ID", volume.CD_Volume_ID));
    done(key.Int("Wave_Volume_ID", volume.Wave_Volume_ID));
    done(key.Int("MIDI_Volume_ID", volume.MIDI_Volume_ID));
    key.Close();

    Settings::Record& record = gSettings.record;
    done(OpenSubKey(key, "Record"));
    done(key.Int("Record_x", record.Record_x));
    done(key.Int("Record_y", record.Record_y));
    done(key.Int("DeviceID", record.DeviceID));
    done(key.Int("BufferSize", record.BufferSize));
    done(ExchangeFormat(key, record.Format));
    done(key.Text("LastDirectory_Single", record.LastDirectory_Single, sizeof record.LastDirectory_Single));
    done(key.Text("LastDirectory_Multi", record.LastDirectory_Multi, sizeof record.LastDirectory_Multi));
    done(key.Int("Mode", record.Mode));
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
