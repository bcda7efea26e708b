// Texts of the boxes that start-up shows before the main window exists.
#pragma once

constexpr char kInvalidCommandFormat[] = "無効なコマンド\n%s";
constexpr char kWarningCaption[] = "警告 -Melodrix";
constexpr char kKillFailedText[] = "他のMelodrixの強制終了に失敗しました";
constexpr char kErrorCaption[] = "エラー -Melodrix";
