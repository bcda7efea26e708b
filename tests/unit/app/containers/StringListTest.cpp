// Ownership, copying and bounded reading of StringList.
#include "app/containers/StringList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Contents(const StringList& list) {
    std::vector<std::string> contents;
    for (int i = 0; i < list.Count(); ++i) {
        contents.push_back(list.StringAt(i));
    }
    return contents;
}

void* FailingRealloc(void*, size_t) {
    return nullptr;
}

TEST(StringList, RefusedInsertsAndSetsChangeNothing) {
    // LeakSanitizer also checks that every refused copy is freed.
    StringList list;
    for (int i = 0; i < 128; ++i) {
        list.InsertString(-1, "a");
    }
    EXPECT_EQ(list.InsertString(129, "b"), 0);
    EXPECT_EQ(list.InsertString(-1, nullptr), 0);
    EXPECT_EQ(list.SetString(128, "c"), 0);
    EXPECT_EQ(list.SetString(0, nullptr), 0);
    PtrArrayReallocFunction previous = SetPtrArrayRealloc(&FailingRealloc);
    EXPECT_EQ(list.InsertString(-1, "no room to grow"), 0);
    SetPtrArrayRealloc(previous);
    EXPECT_EQ(Contents(list), std::vector<std::string>(128, "a"));
}

TEST(StringList, CopiesAreIndependent) {
    StringList original;
    char text[] = "a";
    original.InsertString(-1, text);
    text[0] = 'X';  // the list holds its own copy
    original.InsertString(-1, "b");

    StringList copy(original);
    copy.SetString(0, "changed");
    StringList assigned;
    assigned.InsertString(-1, "old");
    assigned = original;
    original.RemoveString(1);

    EXPECT_EQ(Contents(original), std::vector<std::string>{"a"});
    EXPECT_EQ(Contents(copy), (std::vector<std::string>{"changed", "b"}));
    EXPECT_EQ(Contents(assigned), (std::vector<std::string>{"a", "b"}));

    StringList& alias = assigned;
    assigned = alias;
    EXPECT_EQ(Contents(assigned), (std::vector<std::string>{"a", "b"}));
    assigned.SwapStrings(0, 1);
    assigned.RemoveString(5);
    EXPECT_EQ(Contents(assigned), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(assigned.StringLength(0), 1u);
    EXPECT_EQ(assigned.StringLength(2), 0u);
}

TEST(StringList, GetStringIsBoundedAndKeepsDoubleByteCharactersWhole) {
    StringList list;
    list.InsertString(-1, "abソ");  // a b 0x83 0x5C
    struct Case {
        size_t bufferSize;
        const char* expected;
    };
    const Case cases[] = {
        {5, "abソ"}, {10, "abソ"}, {4, "ab"},  // room for a, b and only the lead byte: the lead goes too
        {3, "ab"},   {1, ""},
    };
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, 'Z', sizeof buffer);
        EXPECT_EQ(list.GetString(0, buffer, c.bufferSize), 1);
        EXPECT_STREQ(buffer, c.expected) << "bufferSize " << c.bufferSize;
        EXPECT_EQ(buffer[c.bufferSize], 'Z') << "wrote past the buffer, size " << c.bufferSize;
    }

    char buffer[8] = "junk";
    EXPECT_EQ(list.GetString(1, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(list.GetString(-1, buffer, 0), 0);
}

}  // namespace
