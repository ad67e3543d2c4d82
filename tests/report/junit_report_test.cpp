#include "report/junit_report.h"

#include <gtest/gtest.h>

namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(XmlTextTest, EscapesMarkupAndReplacesWhatXmlCannotCarry) {
    const struct {
        std::string text;
        bool attribute;
        std::string xml;
    } cases[] = {
        {"a&b<c>\"d'", false, "a&amp;b&lt;c&gt;&quot;d&apos;"},
        {"line\n\tend\r", false, "line\n\tend&#13;"},
        {"line\n\tend", true, "line&#10;&#9;end"},
        {"\x01\x1b\x7f", false, kFffd + kFffd + kFffd},
        {"\xC2\x85 C1", false, kFffd + " C1"},  // NEL, a control character
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", false, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"\xC0\xAF", false, kFffd + kFffd},              // overlong "/"
        {"\xED\xA0\x80", false, kFffd + kFffd + kFffd},  // a surrogate
        {"\xE2\x82", false, kFffd + kFffd},              // cut short
        {"\xEF\xBF\xBE", false, kFffd},                  // U+FFFE
    };
    for (const auto& c : cases) EXPECT_EQ(XmlText(c.text, c.attribute), c.xml) << c.text;
}

}  // namespace
