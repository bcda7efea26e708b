// Splitting and joining Windows paths in Shift-JIS.
#include "app/containers/PathHelpers.h"

#include <cstring>
#include <utility>

#include "app/containers/FileSystem.h"
#include "app/containers/ShiftJis.h"

namespace {

// Offsets that split a path: the file name begins at nameStart, its extension (the last dot of the
// name) at extensionStart, and length is the whole path's length.
struct PathParts {
    size_t nameStart = 0;
    size_t extensionStart = 0;
    size_t length = 0;
};

PathParts SplitPath(const char* path) {
    PathParts parts;
    size_t lastDot = 0;
    bool dotInName = false;
    size_t position = 0;
    while (path[position] != '\0') {
        size_t step = ShiftJisCharLength(path + position);
        if (step == 1) {
            char c = path[position];
            if (c == '\\' || c == '/' || c == ':') {
                parts.nameStart = position + 1;
                dotInName = false;
            } else if (c == '.') {
                lastDot = position;
                dotInName = true;
            }
        }
        position += step;
    }
    parts.length = position;
    parts.extensionStart = dotInName ? lastDot : position;
    return parts;
}

// Writes pieces one after another into a kMaxPathBytes buffer, never splitting a double-byte
// character; remembers whether everything fit.
class PathWriter {
public:
    explicit PathWriter(char* out) : out(out) { out[0] = '\0'; }

    void Append(const char* text, size_t length) {
        size_t room = kMaxPathBytes - 1 - used;
        size_t taken = ShiftJisFitLength(text, length, room);
        std::memcpy(out + used, text, taken);
        used += taken;
        out[used] = '\0';
        complete = complete && taken == length;
    }
    void Append(const char* text) { Append(text, std::strlen(text)); }

    bool Complete() const { return complete; }

private:
    char* out;
    size_t used = 0;
    bool complete = true;
};

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

bool DirectoryOf(char* out, const char* path) {
    path = OrEmpty(path);
    PathParts parts = SplitPath(path);
    PathWriter writer(out);
    writer.Append(path, parts.nameStart);
    // The directory part already ends in a separator unless it is a bare drive ("C:").
    if (parts.nameStart > 0 && path[parts.nameStart - 1] == ':' && writer.Complete()) {
        return AppendBackslash(out, kMaxPathBytes) + 1 == std::strlen(out);
    }
    return writer.Complete();
}

namespace {

// Copies the bytes of path between two of its split points, chosen by the caller.
template <typename Choose>
bool CopyPathPart(char* out, const char* path, Choose choose) {
    path = OrEmpty(path);
    const PathParts parts = SplitPath(path);
    const std::pair<size_t, size_t> range = choose(parts);
    PathWriter writer(out);
    writer.Append(path + range.first, range.second - range.first);
    return writer.Complete();
}

}  // namespace

bool BaseNameOf(char* out, const char* path) {
    return CopyPathPart(out, path, [](const PathParts& p) { return std::make_pair(p.nameStart, p.extensionStart); });
}

bool ExtensionOf(char* out, const char* path) {
    return CopyPathPart(out, path, [](const PathParts& p) { return std::make_pair(p.extensionStart, p.length); });
}

bool FileNameOf(char* out, const char* path) {
    return CopyPathPart(out, path, [](const PathParts& p) { return std::make_pair(p.nameStart, p.length); });
}

bool ReplaceExtension(char* out, const char* path, const char* ext) {
    path = OrEmpty(path);
    ext = OrEmpty(ext);
    PathParts parts = SplitPath(path);
    PathWriter writer(out);
    writer.Append(path, parts.extensionStart);
    if (ext[0] != '\0' && ext[0] != '.') {
        writer.Append(".", 1);
    }
    writer.Append(ext);
    return writer.Complete();
}

size_t AppendBackslash(char* text, size_t textSize) {
    size_t length = std::strlen(text);
    if (length == 0) {
        return 0;
    }
    // Find where the last character starts: only a single-byte backslash ends the text in one.
    size_t last = 0;
    for (size_t position = 0; position < length; position += ShiftJisCharLength(text + position)) {
        last = position;
    }
    bool endsInBackslash = last == length - 1 && text[last] == '\\';
    if (!endsInBackslash && length + 2 <= textSize) {
        text[length] = '\\';
        text[length + 1] = '\0';
    }
    return length;
}

bool FileExists(const char* path) {
    return path != nullptr && path[0] != '\0' && ActiveFileSystem().Exists(path);
}

void TrimRight(char* text) {
    // Blanks and tabs are below 0x40, so they can never be the trail byte of a double-byte character.
    size_t length = std::strlen(text);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) {
        --length;
    }
    text[length] = '\0';
}

int FindCompanionFile(char* path, const char* const* extensions, int count) {
    char candidate[kMaxPathBytes];
    for (int i = 0; i < count; ++i) {
        // A candidate cut short names some other file, so it is not tried.
        if (ReplaceExtension(candidate, path, extensions[i]) && FileExists(candidate)) {
            std::memcpy(path, candidate, std::strlen(candidate) + 1);
            return 1;
        }
    }
    return 0;
}

std::string PathKey(const char* path) {
    std::string key;
    for (const char* p = path != nullptr ? path : ""; *p != '\0';) {
        const size_t step = ShiftJisCharLength(p);
        if (step == 2) {
            key.append(p, 2);
        } else if (*p == '/' || *p == '\\') {
            key += '\\';
        } else if (*p >= 'A' && *p <= 'Z') {
            key += static_cast<char>(*p - 'A' + 'a');
        } else {
            key += *p;
        }
        p += step;
    }
    // Only a trailing byte that is a whole character can be a separator.
    while (!key.empty() && key.back() == '\\' &&
           ShiftJisFitLength(key.c_str(), key.size(), key.size() - 1) == key.size() - 1) {
        key.pop_back();
    }
    return key;
}
