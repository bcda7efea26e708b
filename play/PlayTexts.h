// Texts the play modes show on the panel.
#pragma once

// Followed by the title (or path) of the song that could not be opened.
constexpr char kPassedOverText[] = "開けない曲を飛ばしました: ";
constexpr char kNothingPlayableText[] = "再生できる曲がありません";
// The count of play-list entries that could not be read, then the first list that had them.
constexpr char kRefusedEntriesFormat[] = "読めない %d 項目を飛ばしました: %s";
