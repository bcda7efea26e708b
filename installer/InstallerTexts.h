// Every text the installer and the uninstaller show. UTF-8 here, Shift-JIS in the programs.
#pragma once

constexpr char kInstallerCaption[] = "Melodrix Installer";
constexpr char kWizardCaption[] = "ウィザード";
constexpr char kBackdropTitle[] = "Melodrix Install";
constexpr char kInstallerVersion[] = "Ver1.01";

constexpr char kWelcomeText[] =
    "Melodrix をダウンロードしていただき、ありがとうございます。\r\n\r\n"
    "これから Melodrix をお使いのコンピュータにインストールします。\r\n"
    "インストール先のフォルダを指定して「次へ」を押してください。";

// %s: the folder.
constexpr char kFolderFailedFormat[] = "ディレクトリ\n%s\nの作製に失敗しました";

constexpr char kFinishedText[] =
    " インストールが終了しました。\r\n\r\n 以降の設定はMelodrixを起動して行なってください。";
constexpr char kIncompleteHeading[] = " インストールは完了していません。\r\n 次の処理に失敗しました。\r\n";
constexpr char kIncompleteFooter[] = "\r\n 失敗した原因を取り除いてから、もう一度インストールしてください。";

// Failures the installation records (%s: a path, a key or a list name).
constexpr char kFailFolder[] = "フォルダを作成できません: %s";
constexpr char kFailMissingSource[] = "配布ファイルがありません: %s";
constexpr char kFailCopy[] = "ファイルをコピーできません: %s";
constexpr char kFailRegistry[] = "レジストリに書き込めません: %s";
constexpr char kFailShortcutPrograms[] = "スタートメニューにショートカットを作成できません";
constexpr char kFailShortcutDesktop[] = "デスクトップにショートカットを作成できません";
constexpr char kFailListNameTooLong[] = "旧バージョンのプレイリスト %s: 名前が長すぎます";
constexpr char kFailListFile[] = "旧バージョンのプレイリストを変換できません: %s";
constexpr char kFailListSongs[] = "旧バージョンのプレイリスト %s: 変換できない曲がありました";
constexpr char kFailListCount[] = "旧バージョンのプレイリストが多すぎます (%s 件中、先頭だけを変換しました)";
constexpr char kFailRegList[] = "登録リストを書き込めません";

// The uninstaller.
constexpr char kUninstallerCaption[] = "Melodrix アンインストール";
constexpr char kUninstallConfirm[] = "Melodrix をコンピュータから削除しますか?";
constexpr char kUninstallUserData[] =
    "設定とプレイリストも削除しますか?\n\n"
    "「いいえ」を選ぶと、設定と、リスト用・CD用フォルダのプレイリストは残ります。";
constexpr char kUninstallDone[] = "Melodrix を削除しました。";
constexpr char kUninstallIncomplete[] = "次のものを削除できませんでした。\n\n";
constexpr char kUninstallNotFound[] = "Melodrix のインストール情報が見つかりません。";
constexpr char kFailRemoveFile[] = "ファイル: %s";
constexpr char kFailRemoveFolder[] = "フォルダ: %s";
constexpr char kFailRemoveKey[] = "レジストリ: %s";
constexpr char kFailRemoveShortcut[] = "ショートカット: %s";
