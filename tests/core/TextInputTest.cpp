#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <sstream>

#include "core/TextInput.h"

TEST(TextInputTest, ParseIntMatchesAtoiForEveryInRangeForm) {
    for (const char* text : {"0", "42", "-42", "+7", "  12", "\t-3x", "12abc", "abc", "", "-", "+", " + 5",
                             "2147483647", "-2147483648", "007", "1 2", "-0"}) {
        EXPECT_EQ(parseInt(text), std::atoi(text)) << '"' << text << '"';
    }
}

TEST(TextInputTest, ParseIntSaturatesBeyondTheIntRange) {
    EXPECT_EQ(parseInt("2147483648"), INT_MAX);
    EXPECT_EQ(parseInt("99999999999"), INT_MAX);
    EXPECT_EQ(parseInt("-2147483649"), INT_MIN);
    EXPECT_EQ(parseInt(std::string(1000, '9')), INT_MAX);
    EXPECT_EQ(parseInt("-" + std::string(1000, '9') + "z"), INT_MIN);
}

TEST(TextInputTest, LinesLoseOnlyTheirCarriageReturnBeforeTheLineFeed) {
    std::istringstream in("a\r\n\r\nb\r\r\n c \nlast");
    std::string line;
    std::vector<std::string> lines;
    while (readTextLine(in, line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b\r", " c ", "last"}));
}
