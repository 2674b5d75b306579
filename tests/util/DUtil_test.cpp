#include "util/DUtil.h"

#include <gtest/gtest.h>

TEST(CutText, ReturnsAndRemovesTheSlice)
{
    struct Case { std::string source; int start, count; std::string slice, rest; };
    const Case cases[] = {
        {"abcdef", 1, 3, "abc", "def"},
        {"abcdef", 3, 2, "cd", "abef"},
        {"abcdef", 5, 10, "ef", "abcd"},   // count beyond the end
        {"abcdef", 7, 1, "", "abcdef"},    // start past the end
        {"abcdef", 2, 0, "", "abcdef"},
        {"abcdef", 0, 2, "ab", "cdef"},    // start below 1 counts as 1
        {"abcdef", 2, -1, "", "abcdef"},   // negative count is nothing
        {"", 1, 1, "", ""},
    };
    for (const Case& c : cases) {
        std::string source = c.source;
        EXPECT_EQ(CutText(source, c.start, c.count), c.slice) << c.source << " " << c.start << "," << c.count;
        EXPECT_EQ(source, c.rest) << c.source << " " << c.start << "," << c.count;
    }
}

TEST(FetchBefore, SplitsAtTheFirstDelimiter)
{
    struct Case { std::string source; std::string head, rest; };
    const Case cases[] = {
        {"C-Dur", "C", "Dur"},
        {"a--b", "a", "-b"},
        {"-moll", "", "moll"},
        {"Cis", "Cis", ""},   // no delimiter: everything, and the source empties
        {"D-", "D", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string source = c.source;
        EXPECT_EQ(FetchBefore(source, '-'), c.head) << c.source;
        EXPECT_EQ(source, c.rest) << c.source;
    }
}
