// Tokenizing command lines: blanks, quotes, Shift-JIS pairs and oversized input.
#include "app/ArgumentTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> TokensOf(const char* commandLine) {
    const ArgumentTable table("C:\\Melodrix\\Melodrix.exe", commandLine);
    std::vector<std::string> tokens;
    for (int i = 1; i < table.Count(); ++i) {
        tokens.emplace_back(table[i]);
    }
    return tokens;
}

struct TokenCase {
    const char* commandLine;
    std::vector<std::string> tokens;
};

TEST(ArgumentTable, SplitsAtBlanksAndTabsAndGroupsQuotes) {
    const TokenCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b  c ", {"a", "b", "c"}},
        {"\"C:\\My Music\\a.mid\" /cd", {"C:\\My Music\\a.mid", "/cd"}},
        {"\"unbalanced quote", {"unbalanced quote"}},
        {"\"\"", {""}},
        {"\"a\"b", {"a", "b"}},
        {"/", {"/"}},
        {"a\tb \t c\t", {"a", "b", "c"}},  // a tab separates as a blank does
        {"\"tab\tinside\"", {"tab\tinside"}},
        {"x\"y z\"", {"x\"y", "z\""}},
    };
    for (const TokenCase& c : cases) {
        EXPECT_EQ(TokensOf(c.commandLine), c.tokens) << "command line: " << c.commandLine;
    }
}

TEST(ArgumentTable, LeadByteTakesTheFollowingBlankOrQuote) {
    // 0x81 is a lead byte: the byte after it belongs to the same character even when it is a
    // blank or a quote, so neither can end the token.
    EXPECT_EQ(TokensOf("\x81 b c"), (std::vector<std::string>{"\x81 b", "c"}));
    EXPECT_EQ(TokensOf("\"\x81\"x\" y"), (std::vector<std::string>{"\x81\"x", "y"}));
    // The trail byte 0x5C of a real character is no separator either.
    EXPECT_EQ(TokensOf("\"C:\\ソフト\\表 1.mid\""), (std::vector<std::string>{"C:\\ソフト\\表 1.mid"}));
}

TEST(ArgumentTable, LeadByteAtTheEndDoesNotReadPastTheText) {
    EXPECT_EQ(TokensOf("a \x81"), (std::vector<std::string>{"a", "\x81"}));
    EXPECT_EQ(TokensOf("\"\x81"), (std::vector<std::string>{"\x81"}));
}

TEST(ArgumentTable, EntryZeroIsTheProgramPathCutTo1024Bytes) {
    const std::string longPath(3000, 'p');
    const ArgumentTable table(longPath.c_str(), "x");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(std::string(table[0]), longPath.substr(0, ArgumentTable::kMaxProgramPathBytes));
    EXPECT_STREQ(table[1], "x");
}

TEST(ArgumentTable, TokensBeyondTheTableAreDroppedAndCounted) {
    std::string line;
    for (int i = 0; i < 5000; ++i) {
        line += "t" + std::to_string(i) + " ";
    }
    const ArgumentTable table("p", line.c_str());
    EXPECT_EQ(table.Count(), ArgumentTable::kMaxArguments);
    EXPECT_EQ(table.DroppedTokens(), 5000 - (ArgumentTable::kMaxArguments - 1));
    EXPECT_STREQ(table[ArgumentTable::kMaxArguments - 1], "t2046");
}

TEST(ArgumentTable, NullInputsAreEmpty) {
    const ArgumentTable table(nullptr, nullptr);
    EXPECT_EQ(table.Count(), 1);
    EXPECT_STREQ(table[0], "");
}

}  // namespace
