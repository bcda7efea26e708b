// demogen OUTPUT_DIR WINDOWS_DIR: writes the demo play list and its songs into OUTPUT_DIR.
// WINDOWS_DIR is that folder as the player sees it (for example "Z:\...\demo"); the play list
// names its songs by full path under it. The build turns arpeggio.wav into the MP3 song with lame.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/demogen/DemoAudio.h"
#include "tools/demogen/DemoScreen.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "demogen: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// One field of a play-list line: quoted when it holds a comma or a double quote.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

struct Song {
    const char* file;
    const char* title;
    const char* comment;
    int volume;
    int silenceMs;
};

std::string PlayList(const std::string& windowsDir, const std::vector<Song>& songs) {
    std::string text = "Melodrix2.0 PlayList," + CsvField("Melodrix デモ") + ",100,\r\n";
    for (const Song& song : songs) {
        text += CsvField(windowsDir + "\\" + song.file) + "," + CsvField(song.title) + "," + CsvField(song.comment) +
                "," + std::to_string(song.volume) + ",-300," + std::to_string(song.silenceMs) + "\r\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: demogen OUTPUT_DIR WINDOWS_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    std::string windowsDir = argv[2];
    while (!windowsDir.empty() && windowsDir.back() == '\\') {
        windowsDir.pop_back();
    }
    const std::vector<Song> songs = {
        {"demo.mid", "夕暮れのワルツ", "MIDI と WRD 表示のデモ", 100, 0},
        {"bells.wav", "鐘の和音", "WAVE: 合成した鐘の音", 90, 500},
        {"pads.wav", "静かな和音", "WAVE: ゆっくりした和音", 100, 500},
        {"arpeggio.mp3", "アルペジオ", "MP3: はじいた弦の分散和音", 100, 500},
    };
    bool ok = WriteFile(out + "/bells.wav", EncodeWave(MakeBells())) &&
              WriteFile(out + "/pads.wav", EncodeWave(MakePads())) &&
              WriteFile(out + "/arpeggio.wav", EncodeWave(MakeArpeggio())) &&
              WriteFile(out + "/demo.mid", MakeWaltzSmf("夕暮れのワルツ")) &&
              WriteText(out + "/demo.wrd", MakeWrdScript()) && WriteFile(out + "/demo.mag", MakeSunsetMag()) &&
              WriteText(out + "/demo.txt", MakeCompanionText()) &&
              WriteText(out + "/demo.rpl", PlayList(windowsDir, songs));
    return ok ? 0 : 1;
}
