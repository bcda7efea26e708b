#pragma once
// The keywords under which the help file's index holds each window's page. The help project
// lists exactly these, so a help button always finds its page.

constexpr char kHelpPlaySettings[] = "演奏の設定";
constexpr char kHelpVolumeSettings[] = "ボリュームの設定";
constexpr char kHelpStartupSettings[] = "起動時の設定";
constexpr char kHelpDisplaySettings[] = "表示の設定";
constexpr char kHelpRecordSettings[] = "録音の設定";
constexpr char kHelpWaveSettings[] = "WAVEの設定";
constexpr char kHelpRecordDialog[] = "録音ダイアログ";
constexpr char kHelpPlayListEditor[] = "ファイル演奏リスト編集ダイアログ";
constexpr char kHelpCdListEditor[] = "CD演奏リスト編集ダイアログ";
constexpr char kHelpListSelection[] = "演奏リスト選択ダイアログ";
constexpr char kHelpFolderDialog[] = "フォルダ指定ダイアログ";
constexpr char kHelpCdDriveDialog[] = "CDドライブ選択ダイアログ";
constexpr char kHelpSongJumpDialog[] = "曲ジャンプダイアログ";

// Every keyword above with the page the help file's index leads it to, for viewers that cannot
// look keywords up: the help then opens the page itself. The help file's index holds exactly these.
struct HelpTopic {
    const char* keyword;
    const char* page;
};

constexpr HelpTopic kHelpTopics[] = {
    {kHelpPlaySettings, "settings_play.html"},
    {kHelpVolumeSettings, "settings_volume.html"},
    {kHelpStartupSettings, "settings_startup.html"},
    {kHelpDisplaySettings, "settings_display.html"},
    {kHelpRecordSettings, "settings_record.html"},
    {kHelpWaveSettings, "settings_wave.html"},
    {kHelpRecordDialog, "record.html"},
    {kHelpPlayListEditor, "listedit.html"},
    {kHelpCdListEditor, "cdlistedit.html"},
    {kHelpListSelection, "listselect.html"},
    {kHelpFolderDialog, "folder.html"},
    {kHelpCdDriveDialog, "cddrive.html"},
    {kHelpSongJumpDialog, "songjump.html"},
};
