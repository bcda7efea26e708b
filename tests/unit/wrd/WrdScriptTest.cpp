// The WRD script reader and the command argument parser on their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wrd/WrdArguments.h"
#include "wrd/WrdScriptReader.h"

namespace {

std::vector<std::string> Units(const std::string& script, bool characterMode) {
    WrdScriptReader reader;
    reader.SetScript(std::vector<std::uint8_t>(script.begin(), script.end()));
    std::vector<std::string> units;
    for (;;) {
        const WrdUnit unit = reader.ReadUnit(characterMode);
        if (unit.endOfScript) {
            return units;
        }
        units.push_back(unit.bytes + (unit.stepComplete ? "|" : "+"));
    }
}

TEST(WrdScriptReader, SplitsLinesCommandsAndCharacters) {
    struct Case {
        std::string script;
        bool characterMode;
        std::vector<std::string> units;  // "|" after a unit that ends its step, "+" otherwise
    };
    const Case cases[] = {
        {"ab\r\ncd\n", false, {"ab\n|", "cd\n|"}},
        {"a;\r\nb\n", false, {"a+", "b\n|"}},
        {";\n;\nb", false, {"b|"}},
        {"@A(1)@B(2)\n@C(3);\n", false, {"@A(1)+", "@B(2)|", "@C(3)+"}},
        {"@M(\x88\x40)@N\n", false, {"@M(\x88\x40)+", "@N|"}},  // 0x40 trail byte is no "@"
        {"ab\n", true, {"a|", "b|", "\n+"}},
        {"ab;\n", true, {"a|", "b|"}},
        {"\\_\\\x82\xa0_\\\n", true, {"_|", "\x82\xa0|", "@|", "\\|", "\n+"}},
        {"|a\x82|b|c|d", true, {"a\x82|b|", "c|", "d+"}},
        {"\\\x82\n", true, {"\x82|", "\n+"}},  // a lead byte never takes the line feed as its trail
        {"x\x1Ay\n", false, {"x|"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Units(c.script, c.characterMode), c.units) << c.script;
    }
}

TEST(WrdArguments, CommandsAndNumbers) {
    WrdCommand command;
    ASSERT_TRUE(ParseWrdCommand("wait( 1, -2 )rest", command));
    EXPECT_TRUE(IsCommand(command, "WAIT"));
    EXPECT_FALSE(IsCommand(command, "WAITX"));
    EXPECT_EQ(command.arguments, "1,-2");
    EXPECT_FALSE(ParseWrdCommand("WAIT(1", command));
    EXPECT_FALSE(ParseWrdCommand("WAIT", command));
    EXPECT_FALSE(ParseWrdCommand(std::string(32, 'A') + "()", command));
    EXPECT_TRUE(ParseWrdCommand(std::string(31, 'A') + "(" + std::string(127, '1') + ")", command));
    EXPECT_FALSE(ParseWrdCommand("A(" + std::string(128, '1') + ")", command));

    std::int32_t values[4] = {};
    EXPECT_EQ(ReadDecimals("5,-3,x,7", values, 4), 2);
    EXPECT_EQ(values[1], -3);
    EXPECT_EQ(ReadDecimals("99999999999,-99999999999", values, 4), 2);
    EXPECT_EQ(values[0], 2147483647);
    EXPECT_EQ(values[1], -2147483647 - 1);
    EXPECT_EQ(ReadDecimals("", values, 4), 0);
    EXPECT_EQ(ReadDecimals("-", values, 4), 0);
    std::uint32_t hex = 0;
    EXPECT_TRUE(ParseHex("0xF0a", hex));
    EXPECT_EQ(hex, 0xF0Au);
    EXPECT_FALSE(ParseHex("12g", hex));
    EXPECT_EQ(SplitFields("a,,b"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
