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

// Every keyword above: the help file's index holds exactly these.
constexpr const char* kAllHelpKeywords[] = {
    kHelpPlaySettings, kHelpVolumeSettings, kHelpStartupSettings, kHelpDisplaySettings, kHelpRecordSettings,
    kHelpWaveSettings, kHelpRecordDialog,   kHelpPlayListEditor,  kHelpCdListEditor,    kHelpListSelection,
    kHelpFolderDialog, kHelpCdDriveDialog,  kHelpSongJumpDialog,
};
