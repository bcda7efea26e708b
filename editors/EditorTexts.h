// The texts the list editors and pickers show: messages, captions and the fixed choices of their
// combo boxes.
#pragma once

constexpr char kListWriteCaption[] = "エラー -リストの書き出し";
constexpr char kListWriteFailedText[] = "リストファイルの書き込みに失敗しました";
constexpr char kListRenameFailedText[] = "ファイル名の変更に失敗しました";
// The old list could be neither written under its new name nor given its old name back: it stays
// under the temporary name, which follows.
constexpr char kListKeptTemporaryFormat[] =
    "リストファイルの書き込みに失敗しました\n元のリストは次の名前で残っています:\n%s";

constexpr char kDeleteAllText[] = "リストを全て削除します\nよろしいですか？";
constexpr char kDeleteAllCaption[] = "確認 -全て削除";
constexpr char kDiscardChangesText[] = "データが変更されています\n保存せずに終了してよろしいですか？";
constexpr char kDiscardChangesCaption[] = "確認 -データ変更あり";
constexpr char kDeleteListsText[] = "選択されたリストを削除します\nリストファイルごと削除してよろしいですか？";
constexpr char kDeleteListsCaption[] = "確認 -リスト削除";

constexpr char kMissingListNameText[] = "リスト名を入力してください";
constexpr char kMissingFolderText[] = "フォルダを指定してください";
constexpr char kMissingFieldCaption[] = "記入漏れ";

// Shown beside an unchecked font box: the face the player uses when the list names none.
constexpr char kDefaultListFontFace[] = "ＭＳ 明朝";

// The file browser's wildcard choices, in this order.
constexpr const char* kBrowserWildcards[] = {"*.mid;*.smf", "*.wav", "*.mp3", "*.avi", "*.*"};
// The folder list's wildcard choices (the combo box sorts them).
constexpr const char* kFolderListWildcards[] = {"*.wav", "*.mid;*.smf", "*.wav;*.mid;*.smf"};
constexpr char kNewFolderListWildcard[] = "*.wav";

// The open dialog's filter for registering list files: pairs of description and pattern.
// Other players' lists play as they are; they are registered but not edited here.
constexpr char kListFileFilter[] =
    "Melodrixリスト(*.rpl)\0*.rpl\0他のプレーヤーのリスト(*.m3u;*.m3u8;*.pls)\0*.m3u;*.m3u8;*.pls\0";
// Shown when the editor opens a list it cannot fully read: saving would write only what it shows.
constexpr char kListPartlyReadCaption[] = "警告 -リストの読み込み";
constexpr char kListEntriesRefusedFormat[] =
    "このリストには読めない項目が %d 個あります。\n保存すると、それらの項目はリストから無くなります。";
constexpr char kListUnreadableText[] =
    "このリストファイルは読めません。\n保存すると、ファイルの内容は編集した内容に置き換わります。";
constexpr char kForeignListCaption[] = "お知らせ -リスト編集";
constexpr char kForeignListNotEditableText[] =
    "他のプレーヤーの演奏リストはここでは編集できません。\n"
    "そのまま演奏に使えます。編集するには、そのプレーヤーで編集してください。";

// A CD list row: the 1-based track number and the track's title.
constexpr char kCdTrackRowFormat[] = "<%02d> %s";
