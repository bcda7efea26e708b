// M3U and PLS play lists.
#include "songfiles/ForeignPlayList.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "app/containers/PathHelpers.h"
#include "app/containers/TextEncoding.h"
#include "songfiles/FileTypes.h"
#include "songfiles/ListFileText.h"
#include "songfiles/PlayListFile.h"

namespace {

std::string TrimmedBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// An entry as a Windows path: relative ones against the list's folder; false for addresses and
// for paths too long for the system.
bool ResolveEntry(const std::string& folder, std::string entry, std::string& path) {
    for (char& c : entry) {
        if (c == '/') {
            c = '\\';  // a byte scan is safe: '/' is never a trail byte of code page 932
        }
    }
    if (entry.find(":\\\\") != std::string::npos) {
        return false;  // an address such as http://, not a file
    }
    const bool absolute = (entry.size() >= 2 && entry[1] == ':') || (!entry.empty() && entry[0] == '\\');
    path = absolute ? entry : folder + entry;
    return !path.empty() && path.size() < kMaxPathBytes;
}

void AddEntry(ForeignPlayList& list, const std::string& folder, const std::string& name, const std::string& title) {
    ForeignListEntry entry;
    if (ResolveEntry(folder, name, entry.path)) {
        entry.title = title;
        list.entries.push_back(std::move(entry));
    } else {
        ++list.refusedEntries;
    }
}

void ReadM3u(ListLineReader& reader, const std::string& folder, ForeignPlayList& list) {
    std::string line;
    std::string title;
    while (reader.NextLine(line)) {
        line = TrimmedBlanks(line);
        if (line.empty()) {
            continue;
        }
        if (line[0] == '#') {
            // "#EXTINF:seconds,title" names the entry that follows.
            if (StartsWithNoCase(line.c_str(), "#EXTINF:")) {
                const std::size_t comma = line.find(',');
                title = comma == std::string::npos ? std::string() : TrimmedBlanks(line.substr(comma + 1));
            }
            continue;
        }
        AddEntry(list, folder, line, title);
        title.clear();
    }
}

bool ReadPls(ListLineReader& reader, const std::string& folder, ForeignPlayList& list) {
    std::map<long, std::pair<std::string, std::string>> numbered;  // number -> file, title
    std::string line;
    bool section = false;
    while (reader.NextLine(line)) {
        line = TrimmedBlanks(line);
        if (StartsWithNoCase(line.c_str(), "[playlist]")) {
            section = true;
            continue;
        }
        const bool file = StartsWithNoCase(line.c_str(), "File");
        const bool title = StartsWithNoCase(line.c_str(), "Title");
        const std::size_t equals = line.find('=');
        if (!section || (!file && !title) || equals == std::string::npos) {
            continue;
        }
        char* end = nullptr;
        const char* digits = line.c_str() + (file ? 4 : 5);
        const long number = std::strtol(digits, &end, 10);
        if (end == digits || static_cast<std::size_t>(end - line.c_str()) != equals) {
            continue;
        }
        (file ? numbered[number].first : numbered[number].second) = TrimmedBlanks(line.substr(equals + 1));
    }
    // Numbers may have gaps; the entries come in the order of their numbers.
    for (const auto& [number, entry] : numbered) {
        if (!entry.first.empty()) {
            AddEntry(list, folder, entry.first, entry.second);
        }
    }
    return section;
}

}  // namespace

bool IsForeignPlayList(const char* path) {
    return HasExtension(path, ".m3u") || HasExtension(path, ".m3u8") || HasExtension(path, ".pls");
}

bool LoadForeignPlayList(const char* path, ForeignPlayList& list) {
    std::vector<std::uint8_t> bytes;
    if (!ReadListFile(path, bytes)) {
        return false;
    }
    // An .m3u8 list is UTF-8 whether or not it says so.
    static const std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
    if (HasExtension(path, ".m3u8") && !(bytes.size() >= 3 && std::memcmp(bytes.data(), kUtf8Mark, 3) == 0)) {
        bytes.insert(bytes.begin(), kUtf8Mark, kUtf8Mark + 3);
    }
    char folder[kMaxPathBytes];
    DirectoryOf(folder, path);
    AppendBackslash(folder, sizeof folder);
    ForeignPlayList read;
    ListLineReader reader(bytes);
    const bool ok = HasExtension(path, ".pls") ? ReadPls(reader, folder, read) : (ReadM3u(reader, folder, read), true);
    if (!ok) {
        return false;
    }
    read.refusedEntries += static_cast<std::int32_t>(reader.RefusedLines());
    list = std::move(read);
    return true;
}

std::string MakeM3u8(const PlayListFile& list) {
    std::string text = "#EXTM3U\r\n";
    PlayListEntry entry;
    for (std::int32_t i = 0; list.GetEntry(i, entry); ++i) {
        if (entry.title[0] != '\0') {
            text += "#EXTINF:-1," + EncodeUtf8(DecodeCp932(entry.title)) + "\r\n";
        }
        text += EncodeUtf8(DecodeCp932(entry.path)) + "\r\n";
    }
    return text;
}
