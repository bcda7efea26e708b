// Reading and writing single values: types, sizes and terminators the registry may hold.
#include "app/SettingsKeyReader.h"
#include "app/SettingsKeyWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/MemoryRegistry.h"
#include "app/containers/StringList.h"

namespace {

constexpr char kKey[] = "Software\\Test";

class SettingsKeyTest : public ::testing::Test {
protected:
    void SetUp() override { SetActiveRegistry(&registry); }
    void TearDown() override { SetActiveRegistry(nullptr); }

    void Put(const char* name, std::uint32_t type, const std::string& bytes) {
        ASSERT_TRUE(registry.Put(RegRoot::kCurrentUser, kKey, name, type, bytes.data(),
                                 static_cast<std::uint32_t>(bytes.size())));
    }
    std::string Stored(const char* name, std::uint32_t expectedType) {
        const MemoryRegistry::Value* value = registry.Find(RegRoot::kCurrentUser, kKey, name);
        if (!value) {
            return "<missing>";
        }
        EXPECT_EQ(value->type, expectedType) << name;
        return std::string(value->data.begin(), value->data.end());
    }

    MemoryRegistry registry;
};

std::string Strings(const StringList& list) {
    std::string joined;
    for (int i = 0; i < list.Count(); ++i) {
        joined += std::string(list.StringAt(i)) + "|";
    }
    return joined;
}

TEST_F(SettingsKeyTest, IntTakesOnlyFourByteDwords) {
    struct Case {
        const char* label;
        std::uint32_t type;
        std::string bytes;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"dword", kRegDword, std::string("\x78\x56\x34\x12", 4), 0x12345678},
        {"negative", kRegDword, std::string("\0\0\0\x80", 4), -2147483647 - 1},
        {"binary of four bytes", kRegBinary, std::string("\1\0\0\0", 4), -5},
        {"short dword", kRegDword, std::string("\1\0", 2), -5},
        {"long dword", kRegDword, std::string(8, '\1'), -5},
        {"string", kRegSz, std::string("12\0", 3), -5},
    };
    for (const Case& c : cases) {
        Put("Value", c.type, c.bytes);
        SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
        std::int32_t variable = -5;
        key.Int("Value", variable);
        EXPECT_EQ(variable, c.expected) << c.label;
    }
}

TEST_F(SettingsKeyTest, TextKeepsVariableUnlessStringFitsAndTerminatesWithinBuffer) {
    struct Case {
        const char* label;
        std::uint32_t type;
        std::string bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"terminated", kRegSz, std::string("abc\0", 4), "abc"},
        {"expandable", kRegExpandSz, std::string("%x%\0", 4), "%x%"},
        {"unterminated", kRegSz, "abc", "abc"},
        {"empty value", kRegSz, "", ""},
        {"embedded terminator", kRegSz, std::string("ab\0cd\0", 6), "ab"},
        {"fills buffer with terminator", kRegSz, std::string("abcdefg\0", 8), "abcdefg"},
        {"fills buffer without terminator", kRegSz, "abcdefgh", "default"},
        {"larger than buffer", kRegSz, std::string("abcdefgh\0", 9), "default"},
        {"binary", kRegBinary, std::string("abc\0", 4), "default"},
        {"dword", kRegDword, std::string("abc\0", 4), "default"},
    };
    for (const Case& c : cases) {
        Put("Text", c.type, c.bytes);
        struct {
            char buffer[8];
            char guard[8];
        } area;
        std::memset(&area, '#', sizeof area);
        std::strcpy(area.buffer, "default");
        SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
        key.Text("Text", area.buffer, sizeof area.buffer);
        EXPECT_STREQ(area.buffer, c.expected) << c.label;
        EXPECT_EQ(std::string(area.guard, 8), std::string(8, '#')) << c.label;
    }
}

TEST_F(SettingsKeyTest, BlockTakesOnlyRecordsOfItsExactSize) {
    const struct {
        std::uint32_t type;
        std::size_t length;
        bool taken;
    } cases[] = {{kRegBinary, 6, true}, {kRegBinary, 5, false}, {kRegBinary, 7, false}, {kRegSz, 6, false}};
    for (const auto& c : cases) {
        Put("Block", c.type, std::string(c.length, 'x'));
        char block[6];
        std::memset(block, 'o', sizeof block);
        SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
        EXPECT_EQ(key.Block("Block", block, sizeof block), c.taken ? 1 : 0);
        EXPECT_EQ(std::string(block, 6), std::string(6, c.taken ? 'x' : 'o')) << c.length;
    }
}

TEST_F(SettingsKeyTest, WriterStoresEachKindWithItsType) {
    SettingsKeyWriter key(RegRoot::kCurrentUser, kKey);
    std::int32_t number = -2;
    std::uint32_t id = 0xFFFF0000u;
    char text[8] = "path";
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(key.Int("Number", number), 1);
    EXPECT_EQ(key.Int("Id", id), 1);
    EXPECT_EQ(key.Text("Text", text, sizeof text), 1);
    EXPECT_EQ(key.Text("Full", full, sizeof full), 1);
    EXPECT_EQ(key.Block("Block", full, 3), 1);
    EXPECT_EQ(key.SizedBlock("Sized", full, 2, 4), 2);
    EXPECT_EQ(Stored("Number", kRegDword), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(Stored("Id", kRegDword), std::string("\0\0\xFF\xFF", 4));
    EXPECT_EQ(Stored("Text", kRegSz), std::string("path\0", 5));
    EXPECT_EQ(Stored("Full", kRegSz), std::string("abcd\0", 5));
    EXPECT_EQ(Stored("Block", kRegBinary), "abc");
    EXPECT_EQ(Stored("Sized", kRegBinary), "ab");
}

TEST_F(SettingsKeyTest, ClosedKeysDoNothing) {
    Put("Number", kRegDword, std::string("\1\0\0\0", 4));
    SettingsKeyReader reader(RegRoot::kCurrentUser, "Software\\Missing");
    SettingsKeyWriter writer;
    std::int32_t number = 7;
    char text[4] = "abc";
    StringList list;
    list.InsertString(-1, "kept");
    EXPECT_EQ(reader.isOpen, 0);
    EXPECT_EQ(reader.Int("Number", number), 0);
    EXPECT_EQ(reader.NumberedList(list), 0);
    EXPECT_EQ(writer.Int("Number", number), 0);
    EXPECT_EQ(writer.Text("Text", text, sizeof text), 0);
    EXPECT_EQ(writer.NumberedList(list), 0);
    EXPECT_EQ(number, 7);
    EXPECT_EQ(Strings(list), "kept|");
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(SettingsKeyTest, NumberedListAppendsSkipsNonStringsAndCutsLongEntries) {
    std::string longEntry(4094, 'a');
    longEntry += "\x82\xA0tail";  // a double-byte character straddling the 4095-byte limit
    Put("0000", kRegSz, std::string("first\0", 6));
    Put("0001", kRegDword, std::string("\1\0\0\0", 4));
    Put("0002", kRegSz, "unterminated");
    Put("0003", kRegSz, longEntry);
    Put("0005", kRegSz, std::string("after gap\0", 10));
    StringList list;
    list.InsertString(-1, "earlier");
    SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
    EXPECT_EQ(key.NumberedList(list), 1);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(Strings(list), "earlier|first|unterminated|" + std::string(4094, 'a') + "|");
}

TEST_F(SettingsKeyTest, NumberedListWriteDeletesOnlyTheRunAfterTheList) {
    for (const char* name : {"0000", "0001", "0002", "0004"}) {
        Put(name, kRegSz, std::string("old\0", 4));
    }
    StringList list;
    list.InsertString(-1, "new");
    SettingsKeyWriter key(RegRoot::kCurrentUser, kKey);
    EXPECT_EQ(key.NumberedList(list), 1);
    EXPECT_EQ(Stored("0000", kRegSz), std::string("new\0", 4));
    EXPECT_EQ(Stored("0001", kRegSz), "<missing>");
    EXPECT_EQ(Stored("0002", kRegSz), "<missing>");
    EXPECT_EQ(Stored("0004", kRegSz), std::string("old\0", 4));
}

TEST_F(SettingsKeyTest, PackedListRoundTrips) {
    StringList list;
    for (const char* text : {"one", "二つ", "three"}) {
        list.InsertString(-1, text);
    }
    {
        SettingsKeyWriter key(RegRoot::kCurrentUser, kKey);
        EXPECT_EQ(key.PackedList("Packed", list), 1);
    }
    EXPECT_EQ(Stored("Packed", kRegBinary), std::string("one\0二つ\0three\0\0", 4 + std::strlen("二つ") + 1 + 7));
    StringList loaded;
    loaded.InsertString(-1, "stale");
    SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
    EXPECT_EQ(key.PackedList("Packed", loaded), 1);
    EXPECT_EQ(Strings(loaded), Strings(list));
}

TEST_F(SettingsKeyTest, PackedListOfMalformedValueIsEmptyOrStopsAtEmptyString) {
    const struct {
        std::uint32_t type;
        std::string bytes;
        const char* expected;
    } cases[] = {
        {kRegBinary, std::string("\0", 1), ""},
        {kRegBinary, std::string("a\0", 2), ""},
        {kRegBinary, "abc", ""},
        {kRegBinary, std::string("ab\0c", 4), ""},
        {kRegSz, std::string("ab\0\0", 4), ""},
        {kRegBinary, std::string("ab\0", 3), "ab|"},
        {kRegBinary, std::string("a\0\0b\0\0", 6), "a|"},
    };
    for (const auto& c : cases) {
        Put("Packed", c.type, c.bytes);
        StringList list;
        list.InsertString(-1, "stale");
        SettingsKeyReader key(RegRoot::kCurrentUser, kKey);
        key.PackedList("Packed", list);
        EXPECT_EQ(Strings(list), c.expected) << c.bytes.size();
    }
}

}  // namespace
