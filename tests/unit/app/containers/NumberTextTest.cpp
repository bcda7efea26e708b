// Parsing and thousands formatting of numbers.
#include "app/containers/NumberText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(NumberText, ParseIntOr) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  \t-17abc", -17},
        {"+8", 8},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", -1},  // out of range: the fallback, not a clamped or wrapped value
        {"-2147483649", -1},
        {"99999999999999999999", -1},
        {"", -1},
        {"   ", -1},
        {"-", -1},
        {"x1", -1},
        {"- 1", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIntOr(c.text, -1), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(ParseIntOr(nullptr, 5), 5);
}

TEST(NumberText, FormatThousands) {
    struct Case {
        uint32_t value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {123456, "123,456"},
        {1234567, "1,234,567"},
        {4294967295u, "4,294,967,295"},
    };
    for (const Case& c : cases) {
        char out[kThousandsBytes + 1];
        std::memset(out, 'Z', sizeof out);
        EXPECT_EQ(FormatThousands(out, c.value), out);
        EXPECT_STREQ(out, c.expected);
        EXPECT_EQ(out[kThousandsBytes], 'Z');
    }
}

}  // namespace
