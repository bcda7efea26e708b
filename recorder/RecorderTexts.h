// Every text the recorder and the recording dialog show, in one place (compiled to Shift-JIS).
#pragma once

// Captions.
constexpr char kRecordErrorCaption[] = "エラー -録音";
constexpr char kFileOpenFailedCaption[] = "Err";

// The recorder's failures.
constexpr char kNoMemoryText[] = "録音用メモリの確保に失敗しました";
constexpr char kOpenFailedText[] = "ウェーブフォーム入力デバイスがオープンできませんでした\n";
constexpr char kBadDeviceReason[] = "録音デバイスが無効です\n設定の録音デバイスを確認してください";
constexpr char kAllocatedReason[] = "他のアプリがデバイスを使用中です\n開放されるのを待ってください";
constexpr char kSystemNoMemoryReason[] = "システムが録音用メモリの確保に失敗しました\n";
constexpr char kBadFormatReason[] = "選択されたフォーマットが指定デバイスではサポートされていません";
constexpr char kPrepareFailedText[] = "録音用バッファの設定に失敗しました";
constexpr char kFileOpenFailedText[] = "出力ファイルがオープンできません";
constexpr char kStartFailedText[] = "録音が開始できません";
// A recording that ends by itself: the file could not take more sound, or it reached the
// largest size a WAVE file can describe.
constexpr char kWriteFailedText[] = "録音ファイルに書き込めないため録音を終了しました\n";
constexpr char kDiskFullReason[] = "ディスクの空き容量が不足しています";
// A system error without a description of its own (%lu: its number).
constexpr char kSystemErrorNumber[] = "システムエラー %lu";
constexpr char kCloseFailedText[] = "録音ファイルを正しく閉じられませんでした\n";
constexpr char kSizeLimitText[] = "録音ファイルが WAVE ファイルの上限 (4GB) に達したため録音を終了しました";

// The format chooser's title.
constexpr char kChooseFormatTitle[] = "WAVEフォーマット選択";

// The recording dialog.
constexpr char kMultiFolderLabel[] = "録音先ディレクトリ";
constexpr char kSingleFileLabel[] = "録音ファイル名 (%s)";
constexpr char kOverwriteText[] = "同名のファイルが存在します。\n上書きしますか？";
constexpr char kStartButtonText[] = "録音開始";
constexpr char kStopButtonText[] = "録音終了";
constexpr char kSaveFileTitle[] = "録音ファイルの選択 - Melodrix";
// Filter of the save-file dialog: pairs of description and pattern, ended by an empty one.
constexpr char kSaveFileFilter[] = "WAVEファイル(*.wav)\0*.wav\0";

// Names of new recordings.
constexpr char kUntitledBase[] = "untitled";
constexpr char kWaveExtension[] = ".wav";
