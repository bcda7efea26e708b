// Texts of the boxes that start-up shows before the main window exists.
#pragma once

constexpr char kInvalidCommandText[] = "無効なコマンド";
// Followed by the count; then the first few tokens, one a line.
constexpr char kInvalidCommandsFormat[] = "無効なコマンドが %d 個あります";
constexpr char kDroppedNamesFormat[] = "コマンドラインの名前が多すぎるため、%d 個を読み込みませんでした";
constexpr char kWarningCaption[] = "警告 -Melodrix";
constexpr char kKillFailedText[] = "他のMelodrixの強制終了に失敗しました";
constexpr char kErrorCaption[] = "エラー -Melodrix";
