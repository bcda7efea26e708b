// The demo MIDI song's companions: its WRD script, its MAG picture and its text file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The script, one step per measure of the 16-measure waltz (Shift-JIS, CR LF line ends).
std::string MakeWrdScript();

// A 256 x 160 evening landscape placed at (352, 200) of the 640 x 400 screen, as MAG bytes.
std::vector<std::uint8_t> MakeSunsetMag();

// The companion text shown in the text viewer (Shift-JIS, CR LF line ends).
std::string MakeCompanionText();
