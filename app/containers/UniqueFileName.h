// Makes a new file name from a song or disc title for files the program creates (recordings).
#pragma once

// Writes into out (kMaxPathBytes bytes) a file name in directory that does not exist yet, built from
// title and ext (".wav", dot included):
//   - a blank title gives directory + "00000000" + ext, then 00000001 and so on;
//   - otherwise the title is cleaned (leading blanks skipped, at most about 122 bytes kept, characters
//     that Windows forbids in file names turned into '_') and the candidates are title + ext, then
//     title_0, title_1 ... + ext.
// Returns nonzero on success. Returns 0 with out = "" when directory and ext leave no room for a
// name, or when no candidate that fits the buffer is free.
int MakeUniqueFileName(char* out, const char* directory, const char* title, const char* ext);
