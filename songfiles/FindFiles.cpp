// Folder listing by wildcard patterns.
#include "songfiles/FindFiles.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

// A pattern is rewritten as the system rewrites it before a search: '?' always, '*' before a dot and
// a dot before a wildcard or at the end take their looser DOS meanings.
enum class TokenKind {
    kLiteral,  // one character, ASCII letters in any case
    kStar,     // any run of characters
    kDosStar,  // any run of characters that does not pass the name's last dot
    kDosQm,    // one character, or none at a dot or at the end of the name
    kDosDot,   // a dot, or nothing at the end of the name
};

struct Token {
    TokenKind kind;
    std::string text;  // the character of a literal
};

// The characters of text, each one or two bytes.
std::vector<std::string> SplitCharacters(const char* text) {
    std::vector<std::string> characters;
    for (const char* p = text; *p != '\0';) {
        const std::size_t step = ShiftJisCharLength(p);
        characters.emplace_back(p, step);
        p += step;
    }
    return characters;
}

std::vector<Token> Tokenize(const char* pattern) {
    const std::vector<std::string> characters = SplitCharacters(pattern);
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::string& c = characters[i];
        const std::string next = i + 1 < characters.size() ? characters[i + 1] : std::string();
        if (c == "?") {
            tokens.push_back({TokenKind::kDosQm, {}});
        } else if (c == "*") {
            tokens.push_back({next == "." ? TokenKind::kDosStar : TokenKind::kStar, {}});
        } else if (c == "." && (next.empty() || next == "*" || next == "?")) {
            tokens.push_back({TokenKind::kDosDot, {}});
        } else {
            tokens.push_back({TokenKind::kLiteral, c});
        }
    }
    return tokens;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameCharacter(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    return a.size() == 2 ? a == b : FoldAscii(a[0]) == FoldAscii(b[0]);
}

// Dynamic programming over (token, character) positions; names and patterns are short.
bool Matches(const std::vector<Token>& tokens, const std::vector<std::string>& name) {
    const std::size_t tokenCount = tokens.size();
    const std::size_t length = name.size();
    std::size_t lastDot = length;
    for (std::size_t j = 0; j < length; ++j) {
        if (name[j] == ".") {
            lastDot = j;
        }
    }
    // match[i][j]: tokens from i on match the characters from j on.
    std::vector<std::vector<char>> match(tokenCount + 1, std::vector<char>(length + 1, 0));
    match[tokenCount][length] = 1;
    for (std::size_t i = tokenCount; i-- > 0;) {
        for (std::size_t j = length + 1; j-- > 0;) {
            const bool atEnd = j == length;
            bool result = false;
            switch (tokens[i].kind) {
                case TokenKind::kLiteral:
                    result = !atEnd && SameCharacter(tokens[i].text, name[j]) && match[i + 1][j + 1];
                    break;
                case TokenKind::kStar:
                    result = match[i + 1][j] || (!atEnd && match[i][j + 1]);
                    break;
                case TokenKind::kDosStar:
                    result = match[i + 1][j] || (!atEnd && j != lastDot && match[i][j + 1]);
                    break;
                case TokenKind::kDosQm:
                    result = (atEnd || name[j] == ".") ? match[i + 1][j] : match[i + 1][j + 1];
                    break;
                case TokenKind::kDosDot:
                    result = atEnd ? match[i + 1][j] : (name[j] == "." && match[i + 1][j + 1]);
                    break;
            }
            match[i][j] = result ? 1 : 0;
        }
    }
    return match[0][0] != 0;
}

}  // namespace

bool MatchesFilePattern(const char* name, const char* pattern) {
    if (name == nullptr || pattern == nullptr || pattern[0] == '\0') {
        return false;
    }
    return Matches(Tokenize(pattern), SplitCharacters(name));
}

std::int32_t FindFilesByPattern(StringList& list, const char* folder, const char* patterns) {
    list.Clear();
    char directory[kMaxPathBytes];
    if (!CopyShiftJis(directory, sizeof directory, folder != nullptr ? folder : "")) {
        return 0;
    }
    AppendBackslash(directory, sizeof directory);
    // The folder is read once; every pattern then picks from the same listing in its order.
    std::vector<std::string> files;
    ActiveFileSystem().ListDirectory(directory, [&files](const DirectoryEntry& entry) {
        if (!entry.isDirectory && !entry.isHidden) {
            files.push_back(entry.name);
        }
    });
    const char* rest = patterns != nullptr ? patterns : "";
    while (*rest != '\0') {
        const char* end = rest;
        while (*end != '\0' && *end != ';') {
            end += ShiftJisCharLength(end);
        }
        const std::vector<Token> tokens = Tokenize(std::string(rest, end).c_str());
        // An empty pattern between two ';' matches nothing.
        for (const std::string& file : files) {
            if (!tokens.empty() && Matches(tokens, SplitCharacters(file.c_str()))) {
                list.InsertString(-1, file.c_str());
            }
        }
        rest = *end == ';' ? end + 1 : end;
    }
    return list.Count();
}
