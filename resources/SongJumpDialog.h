// Ids of the song jump dialog's template.
#pragma once

#define IDD_SONG_JUMP 1
#define IDC_SONG_JUMP_LIST 104
#define IDC_SONG_JUMP_SEARCH 105
