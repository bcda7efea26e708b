// Every persistent setting of the player as one process-wide object, grouped by registry key, each member
// named like its registry value and holding its default from program start.
#pragma once

#include <cstdint>

#include "app/RegistryStore.h"
#include "app/SettingsRecords.h"
#include "app/containers/StringList.h"

class SettingsKey;

// All settings live below this key of the current user; other keys (the registered play lists,
// "File\\RegList") sit below it too.
constexpr RegRoot kSettingsRoot = RegRoot::kCurrentUser;
constexpr char kSettingsBasePath[] = "Software\\Veqo\\Melodrix\\2";

constexpr std::uint32_t kPathBytes = 260;
// A window position that was never saved.
constexpr std::int32_t kNoPosition = -2147483647 - 1;
// A volume control id that lets the program choose one.
constexpr std::uint32_t kAutomaticVolumeId = 0xFFFF0000u;
// The system's wave mapper.
constexpr std::int32_t kWaveMapper = -1;

// The panel's font: 12 high, every other number 0, the standard Gothic face.
constexpr LogFontRecord kDefaultPanelFont = {12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "標準ゴシック"};
// PCM, mono, 11025 samples of 8 bits per second.
constexpr WaveFormatRecord kDefaultRecordFormat = {kWaveFormatPcm, 1, 11025, 11025, 1, 8, 0, {}};

struct Settings {
    struct Player {
        std::int32_t Player_x = kNoPosition;
        std::int32_t Player_y = kNoPosition;
        std::int32_t TopMost = 0;
        std::int32_t Text_x = kNoPosition;
        std::int32_t Text_y = kNoPosition;
        std::int32_t Text_Width = kNoPosition;
        std::int32_t Text_Height = kNoPosition;
        std::int32_t Wrd_x = kNoPosition;
        std::int32_t Wrd_y = kNoPosition;
        std::int32_t BootMode = 1;  // 0 the last mode, 1 file play, 2 CD play
        std::int32_t LastMode = 1;  // 1 file play, 2 CD play
        std::int32_t BootPlay = 0;
        std::int32_t BootSingle = 0;
        LogFontRecord Font = kDefaultPanelFont;
        std::int32_t FlatWidth = 640;
        std::int32_t Form = 0;  // 0 normal, 1 flat
        std::int32_t FixWindow = 0;
        std::int32_t MediaKeys = 1;  // the keyboard's media keys work while another program has the focus
    } player;

    // Both default to the program's directory, which start-up fills in when they are empty.
    struct Directory {
        char List[kPathBytes] = {};
        char CD[kPathBytes] = {};
    } directory;

    struct Play {
        std::int32_t TimerInterval = 50;   // ms
        std::int32_t BackLimit = 2000;     // ms
        std::int32_t SeekStep = 1000;      // ms
        std::int32_t SeekFastStep = 8000;  // ms
        std::int32_t SeekInterval = 1;     // timer ticks
        std::int32_t FilePlayMode = 0;
        std::int32_t CDPlayMode = 0;
        std::int32_t StopClose = 0;
        std::int32_t RcpLoops = 2;  // plays of a Recomposer loop marked "forever"
    } play;

    struct File {
        char LastDirectory[kPathBytes] = {};
        std::int32_t FilterIndex = 1;
        char ListEditLastDirectory[kPathBytes] = {};
        char ListEditLastWildCard[kPathBytes] = "*.*";
        std::int32_t SaveSong = 0;
        std::int32_t LastSong = 0;
        std::int32_t TextOpen = 0;
        std::int32_t TextClose = 0;
        std::int32_t WrdView = 1;
        std::int32_t WrdOpen = 1;
    } file;

    struct Cd {
        char LastDrive[kPathBytes] = {};  // "D:"
    } cd;

    struct Wave {
        std::int32_t SelfPlay = 1;
        std::int32_t DeviceID = kWaveMapper;
        std::int32_t BufferSize = 128;
    } wave;

    struct Volume {
        std::uint32_t CD_Volume_ID = kAutomaticVolumeId;
        std::uint32_t Wave_Volume_ID = kAutomaticVolumeId;
        std::uint32_t MIDI_Volume_ID = kAutomaticVolumeId;
    } volume;

    struct Record {
        std::int32_t Record_x = 100;
        std::int32_t Record_y = 100;
        std::int32_t DeviceID = kWaveMapper;
        std::int32_t BufferSize = 128;
        WaveFormatRecord Format = kDefaultRecordFormat;
        char LastDirectory_Single[kPathBytes] = {};
        char LastDirectory_Multi[kPathBytes] = {};
        std::int32_t Mode = 1;
    } record;
};

extern Settings gSettings;
// The song history of file names, patterns and play lists, kept in key "File\\History".
extern StringList FileHistory;

// Every setting back to its default and an empty history.
void ResetSettingsToDefaults();

// Exchanges every setting with the registry through key, one registry key after the other. Answers 1 when
// every key opened and every value was exchanged (so a first load without settings answers 0).
int ExchangeSettings(SettingsKey& key);
int LoadSettings();
int SaveSettings();
