// The demo's generated music: short WAVE songs synthesised from chords and a Standard MIDI File.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// 16-bit stereo samples at 44100 Hz, interleaved left, right.
struct StereoSound {
    static constexpr int kRate = 44100;
    std::vector<std::int16_t> samples;
};

// The three synthesised pieces: bells over a chord cycle, a slow pad, and a plucked arpeggio.
StereoSound MakeBells();
StereoSound MakePads();
StereoSound MakeArpeggio();

// A RIFF WAVE file (PCM) holding the sound.
std::vector<std::uint8_t> EncodeWave(const StereoSound& sound);

// A format-1 Standard MIDI File: a waltz in C of 16 measures in 3/4, with the title as the
// conductor track's name (Shift-JIS bytes as given).
std::vector<std::uint8_t> MakeWaltzSmf(const std::string& title);
