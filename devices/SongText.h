// Copies a song's text (title, notice, comment) into a caller's buffer of a given capacity.
#pragma once

#include <cstddef>
#include <string>

// Copies at most capacity − 1 bytes of source and terminates. Answers the bytes copied, or −1
// when the song has no such text (the buffer then holds the empty string).
int CopySongText(char* text, std::size_t capacity, bool present, const std::string& source);
