#include "files/text.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(TextHelpers, Trim) {
    EXPECT_EQ(trim(" \t\v\f\r\nab c\r\n"), "ab c");
    EXPECT_EQ(trim(" \t "), "");
    EXPECT_EQ(trim("x"), "x");
}

TEST(SplitText, PiecesAndSemicolons) {
    using Pieces = std::vector<std::string>;
    const std::vector<std::tuple<std::string, std::string, Pieces>> cases = {
        {"10,,20", ",", {"10", "20"}},
        {"1,2,3;", ",", {"1", "2", "3"}},
        {",a,", ",", {"a"}},
        {"", ",", {}},
        {";", ",", {""}},  // emptied by the cut, but kept
        {"a;,;b", ",", {"a", ";b"}},
        {"a::b::", "::", {"a", "b"}},
        {"a,b", "", {"a,b"}},  // an empty separator must not loop forever
    };
    for (const auto& [text, separator, expected] : cases) {
        SCOPED_TRACE(text + " by '" + separator + "'");
        EXPECT_EQ(SplitText(text, separator), expected);
    }
}

}  // namespace
