// Splitting and joining comma-separated list-file lines.
#include "app/containers/CsvFields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

// Splits into count fields of fieldSize bytes each, checking that nothing is written past them.
Fields SplitBounded(const char* line, int count, size_t fieldSize, std::string* rest = nullptr) {
    std::vector<std::vector<char>> storage(count, std::vector<char>(fieldSize + 1, 'Z'));
    std::vector<char*> fields;
    for (auto& field : storage) {
        fields.push_back(field.data());
    }
    const char* after = SplitCsvFields(fields.data(), count, fieldSize, line);
    Fields result;
    for (auto& field : storage) {
        EXPECT_EQ(field[fieldSize], 'Z') << "wrote past a field of " << fieldSize << " bytes";
        result.push_back(field.data());
    }
    if (rest != nullptr) {
        *rest = after;
    }
    return result;
}

TEST(CsvFields, Splits) {
    struct Case {
        const char* line;
        Fields expected;
        const char* rest;
    };
    const Case cases[] = {
        {"\"a,b\",c", {"a,b", "c"}, ""},
        {"x", {"x", "", ""}, ""},
        {"a,,c", {"a", "", "c"}, ""},
        {"a,b,c,d", {"a", "b"}, "c,d"},
        {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}, ""},
        {"ab\"c,d\"e,f", {"abc,de", "f"}, ""},
        {"\"open,end", {"open,end", ""}, ""},
        {"ソフト,表\"ソ\"", {"ソフト", "表ソ"}, ""},
        {"", {"", ""}, ""},
    };
    for (const Case& c : cases) {
        std::string rest;
        EXPECT_EQ(SplitBounded(c.line, static_cast<int>(c.expected.size()), 64, &rest), c.expected) << c.line;
        EXPECT_EQ(rest, c.rest) << c.line;
        Fields strings;
        EXPECT_STREQ(SplitCsvFields(strings, static_cast<int>(c.expected.size()), c.line), c.rest);
        EXPECT_EQ(strings, c.expected) << c.line;
    }
}

TEST(CsvFields, LongFieldsAreCutButConsumed) {
    EXPECT_EQ(SplitBounded("abcdef,gh", 2, 4), (Fields{"abc", "gh"}));
    EXPECT_EQ(SplitBounded("aソ,x", 2, 4), (Fields{"aソ", "x"}));
    EXPECT_EQ(SplitBounded("aソ,x", 2, 3), (Fields{"a", "x"}));  // the lead byte is not left alone
    EXPECT_EQ(SplitBounded("\"a,\"\"bc\",d", 2, 4), (Fields{"a,\"", "d"}));
    EXPECT_EQ(SplitBounded("abc,d", 2, 1), (Fields{"", ""}));
}

TEST(CsvFields, Joins) {
    struct Case {
        std::vector<const char*> fields;
        const char* expected;
    };
    // clang-format off
    const Case cases[] = {
        {{"a", "b"}, "a,b"},
        {{"a,b", "c"}, "\"a,b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{}, ""},
        {{"", ""}, ","},
        {{"ソフト", nullptr}, "ソフト,"},
    };
    // clang-format on
    for (const Case& c : cases) {
        char out[64];
        EXPECT_EQ(JoinCsvFields(out, sizeof out, c.fields.data(), static_cast<int>(c.fields.size())), 1);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(CsvFields, JoinThatDoesNotFitGivesEmptyLine) {
    const char* fields[] = {"ab", "c\"d"};  // ab,"c""d" is 9 bytes
    char out[16];
    std::memset(out, 'Z', sizeof out);
    EXPECT_EQ(JoinCsvFields(out, 10, fields, 2), 1);
    EXPECT_STREQ(out, "ab,\"c\"\"d\"");
    std::memset(out, 'Z', sizeof out);
    EXPECT_EQ(JoinCsvFields(out, 9, fields, 2), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(out[9], 'Z');
}

}  // namespace
